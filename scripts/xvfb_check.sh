#!/usr/bin/env bash
# Drives the real editor on a real X display (Xvfb, no window manager), as a
# user would: faults that only a real display shows, such as a hang in Print
# Preview, fail here. Usage: scripts/xvfb_check.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

if [[ -z "${ZELBRIN_XVFB_INNER:-}" ]]; then
    exec env ZELBRIN_XVFB_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM

work=$(mktemp -d)
trap 'kill -9 "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$build/zelbrin" --make-sample "$work" 2>/dev/null
XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work" \
    "$build/zelbrin" "$work/sample.alb" >"$work/out.txt" 2>&1 &
pid=$!

fail() {
    echo "xvfb check: $1" >&2
    cat "$work/out.txt" >&2
    exit 1
}
step() { # keys, then a moment for the program to answer
    xdotool key --delay 80 "$@"
    sleep 0.6
    kill -0 "$pid" 2>/dev/null || fail "the editor stopped after: $*"
}

# Waits for the sample album's window and gives it the keyboard with a click
# on the empty lower part of the page.
focus_sample() {
    local window
    window=$(timeout 20 xdotool search --sync --name "^sample - Zelbrin$" | head -n 1) ||
        fail "the window did not appear"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 60)) click 1
    sleep 0.3
}

focus_sample
step alt+f v                  # File > Print Preview
step Tab Tab Tab Tab space    # Zoom In
step shift+Tab space          # Two Page
step Escape                   # back to the page
xdotool key --delay 80 alt+f x # File > Exit
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the editor did not answer File > Exit (hung?)"
wait "$pid" || fail "the editor exited with status $?"
if grep -q "never decoded\|while it was awaited" "$work/out.txt"; then
    fail "a picture was awaited that could not come"
fi
echo "xvfb check: Print Preview, zoom, Two Page, Escape and Exit answered"

# Recovery: a change, the copy written, the editor killed; the next start
# offers the page back and Yes gives it, unsaved.
start_editor() {
    XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work" \
        ZELBRIN_RECOVERY_SECONDS=1 "$build/zelbrin" "$@" >"$work/out.txt" 2>&1 &
    pid=$!
}
start_editor "$work/sample.alb"
focus_sample
step ctrl+d                   # Duplicate: the page is modified
sleep 2.5
ls "$work"/state/zelbrin/recovery/*.alb >/dev/null 2>&1 || fail "no recovery copy was written"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
start_editor
timeout 20 xdotool search --sync --name "^Zelbrin$" >/dev/null || fail "the recovery was not offered"
sleep 0.5
xdotool key Return            # Yes
timeout 20 xdotool search --sync --name "^sample\* - Zelbrin$" >/dev/null ||
    fail "the recovered page is not the modified sample album"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
echo "xvfb check: a killed editor's page was offered and recovered"
