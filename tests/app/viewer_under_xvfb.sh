#!/usr/bin/env bash
# The real viewer on a virtual X display: its main window appears and lives
# on when squeezed below its minimum, Ctrl+I opens "Info", and with the main
# window closed the menu's shortcuts still work from "Info": Ctrl+Q ends the
# viewer with status 0. Every wait is bounded.
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
command -v python3 >/dev/null || fail "python3 is not installed"

# Found by exact title; waits at most 20 s.
window_named() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
visible_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l; }
# Focus and keys go to the window without a window manager's help.
press() {
    xdotool windowfocus --sync "$1" && xdotool key --clearmodifiers "$2"
}
# What a window manager's close button sends: WM_DELETE_WINDOW.
close_window() {
    python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = x.XInternAtom.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display, window = x.XOpenDisplay(None), int(sys.argv[1])
e = Event()
e.xclient.type, e.xclient.window, e.xclient.format = 33, window, 32  # 33: ClientMessage
e.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
e.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
sys.exit(0 if x.XSendEvent(display, window, 0, 0, ctypes.byref(e)) and x.XFlush(display) else 1)
PY
}

# In a sanitizer build, leaks inside the system's own libraries are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0}
QT_QPA_PLATFORM=xcb "$viewer" &
pid=$!

main=$(window_named "KZP-Viewer")
[ -n "$main" ] || fail 'no window titled "KZP-Viewer"'
echo "main window: $main"

# Squeezed below its minimum, which nothing prevents without a window
# manager: no report box, and the viewer lives on.
for width in 120 110 100; do
    xdotool windowsize "$main" "$width" 454 || fail "could not resize the main window"
    sleep 1
done
kill -0 "$pid" 2>/dev/null || fail "the viewer ended when its window was squeezed"
[ "$(visible_windows)" -eq 1 ] || fail "a box opened when the window was squeezed"
xdotool windowsize "$main" 576 454

press "$main" ctrl+i || fail "could not send Ctrl+I"
info=$(window_named "Info")
[ -n "$info" ] || fail 'Ctrl+I opened no window titled "Info"'
echo "about window: $info"
# Asked again, the same window comes to the front: still one.
press "$main" ctrl+i || fail "could not send Ctrl+I"
sleep 0.5
count=$(xdotool search --onlyvisible --name '^Info$' 2>/dev/null | wc -l)
[ "$count" -eq 1 ] || fail "$count windows titled \"Info\" after a second Ctrl+I"

# With the main window closed, the about window keeps the viewer running,
# and the menu's shortcuts work from it.
close_window "$main" || fail "could not close the main window"
for _ in $(seq 1 50); do
    [ "$(visible_windows)" -eq 1 ] && break
    sleep 0.1
done
[ "$(visible_windows)" -eq 1 ] || fail "the main window did not close"
kill -0 "$pid" 2>/dev/null || fail 'the viewer ended with its main window while "Info" was open'
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
