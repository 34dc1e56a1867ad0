#!/usr/bin/env bash
# Builds Zelbrin and starts it. Usage: scripts/run.sh [album.alb] [more options]
# Without an album it opens a sample album (pictures drawn by the program) made
# in build/sample on first use.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target zelbrin

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: start this from a desktop session, or under xvfb-run." >&2
fi

if [[ $# -eq 0 ]]; then
    if [[ ! -f build/sample/sample.alb ]]; then
        build/zelbrin --make-sample build/sample
    fi
    exec build/zelbrin build/sample/sample.alb
fi
exec build/zelbrin "$@"
