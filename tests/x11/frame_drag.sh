#!/usr/bin/env bash
# The sign frames through a real window system: an X server of our own
# (Xvfb) with the openbox window manager, the pointer driven by xdotool. The
# GUI test program's window-system cases run there (right-drags on a frame's
# status bar and border, maximising the window).
#
#   frame_drag.sh GUI_TEST_PROGRAM
#
# Nothing here waits for a time: every step waits for the state it needs,
# with a generous cap that only bounds a hang.
set -euo pipefail
prog=$1
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/ensure-packages.sh --test installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb="" wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

alive() { kill -0 "$1" 2>/dev/null; }

# A display number of our own: the first one from 100 on that nobody holds.
# Should another server take it first, ours ends and the next is tried.
display=""
for ((n = 100; n < 200; n++)); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  # -noreset: without it the server resets itself whenever its last client
  # leaves (the readiness probe below), and a client that connects during
  # the reset, as openbox does next, is refused.
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  ready() { alive "$xvfb" && DISPLAY=":$n" xprop -root -len 1; }
  gone() { ! alive "$xvfb"; }
  for ((i = 0; i < 1200; i++)); do
    if ready >/dev/null 2>&1; then display=":$n"; break; fi
    gone && break
    sleep 0.1
  done
  [ -n "$display" ] && break
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
done
[ -n "$display" ] || { echo "no free X display" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=$display

# The window manager is there once it names itself on the root window. One
# that ends before that (refused by a server still busy) is started again.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
for ((try = 0; try < 3; try++)); do
  DISPLAY=$display openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  for ((i = 0; i < 1200; i++)); do
    wm_ready && break
    alive "$wm" || break
    sleep 0.1
  done
  wm_ready && break
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  wm=""
done
wm_ready || { echo "openbox did not start" >&2; cat "$work/openbox.log" >&2; exit 1; }

# The X libraries keep their caches to the end of the process; leaks are
# the other tests' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export QT_QPA_PLATFORM=xcb KIVAR_X11_TESTS=1
unset WAYLAND_DISPLAY
set +e
"$prog" --gtest_filter='SignAreaGui.WindowSystem*' >"$work/out.log" 2>&1
status=$?
set -e
cat "$work/out.log"
if grep -q '^\[  SKIPPED \]' "$work/out.log" || ! grep -q '^\[  PASSED  \] 2 tests' "$work/out.log"; then
  echo "the window-system cases did not all run" >&2
  exit 1
fi
exit "$status"
