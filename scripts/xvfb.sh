# Sourced by the run and test scripts: starts a private virtual X display when
# none is set (or when asked to), and stops it when the calling script exits.
start_virtual_display() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -br: a black root window. The default weave is mid-grey, so a game
    # window mapped before its first frame, which shows the root through it,
    # could pass for a drawn one in the tests that wait for the first frame.
    Xvfb ":$n" -screen 0 1280x1024x24 -br -nolisten tcp -noreset +extension GLX >/tmp/brellow-xvfb-$n.log 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
  done
  echo "No free X display number for Xvfb" >&2
  return 1
}
