#!/usr/bin/env bash
# The real viewer on a virtual X display: its main window appears, Ctrl+I
# opens "Info", Ctrl+Q ends it with status 0. Every wait is bounded.
# Usage: viewer_under_xvfb.sh PATH_TO_KZP_VIEWER
set -u
viewer=${1:?usage: viewer_under_xvfb.sh PATH_TO_KZP_VIEWER}

if [ "${2:-}" != "--on-display" ]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "SKIP: xvfb-run is not installed"
        exit 77
    fi
    exec timeout -k 5 90 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$viewer" --on-display
fi

fail() {
    echo "FAIL: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}
command -v xdotool >/dev/null || fail "xdotool is not installed"

# Found by exact title; waits at most 20 s.
window_named() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# Focus and keys go to the window without a window manager's help.
press() {
    xdotool windowfocus --sync "$1" && xdotool key --clearmodifiers "$2"
}

# In a sanitizer build, leaks inside the system's own libraries are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0}
QT_QPA_PLATFORM=xcb "$viewer" &
pid=$!

main=$(window_named "KZP-Viewer")
[ -n "$main" ] || fail 'no window titled "KZP-Viewer"'
echo "main window: $main"

press "$main" ctrl+i || fail "could not send Ctrl+I"
info=$(window_named "Info")
[ -n "$info" ] || fail 'Ctrl+I opened no window titled "Info"'
echo "about window: $info"
# Asked again, the same window comes to the front: still one.
press "$main" ctrl+i || fail "could not send Ctrl+I"
sleep 0.5
count=$(xdotool search --onlyvisible --name '^Info$' 2>/dev/null | wc -l)
[ "$count" -eq 1 ] || fail "$count windows titled \"Info\" after a second Ctrl+I"

# The menu's shortcuts work from the about window too.
press "$info" ctrl+q || fail "could not send Ctrl+Q"
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the viewer still runs 10 s after Ctrl+Q"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Ctrl+Q"
echo "PASS: exit status 0"
