#!/usr/bin/env bash
# Builds Zelbrin and runs the whole test suite; exits non-zero on any failure.
# Usage: scripts/test.sh            normal build (build/)
#        scripts/test.sh --sanitize address and undefined-behaviour sanitizers (build-asan/),
#                                   then the core tests under the thread sanitizer (build-tsan/)
#        scripts/test.sh --all      both, one after the other
set -euo pipefail
cd "$(dirname "$0")/.."

mode="${1:-}"
bash scripts/deps.sh
# The printing tests print through a CUPS queue of their own.
bash scripts/cups_queue.sh

# The sources keep the project's clang-format style.
check_format() {
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
    echo "clang-format: every tracked source is formatted"
}

run_suite() {
    local dir="$1"; shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j2
    (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300)
}

# The core tests, the parallel decoder's among them, under ThreadSanitizer:
# a data race fails the suite.
run_thread_checks() {
    cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELBRIN_TSAN=ON \
        -DZELBRIN_BENCH=OFF >/dev/null
    cmake --build build-tsan -j2 --target core_tests
    TSAN_OPTIONS="halt_on_error=1 exitcode=66" build-tsan/tests/core_tests --gtest_brief=1
}

case "$mode" in
    "")         check_format
                run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
                # The real program on a real X display.
                bash scripts/xvfb_check.sh build
                # Every reader fuzzed briefly; any crash, hang or wrong result fails.
                bash scripts/fuzz.sh 30 ;;
    --sanitize) ASAN_OPTIONS=detect_leaks=1 run_suite build-asan -DCMAKE_BUILD_TYPE=Debug \
                    -DZELBRIN_SANITIZE=ON -DZELBRIN_BENCH=OFF
                run_thread_checks ;;
    --all)      "$0" && "$0" --sanitize ;;
    *)          echo "usage: $0 [--sanitize|--all]" >&2; exit 2 ;;
esac
