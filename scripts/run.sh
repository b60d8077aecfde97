#!/usr/bin/env bash
# Builds everything, generates the assets into build/game/ and starts the
# game there. The build's and the asset generator's output go to
# build/run.log, shown only when one of them fails; the game's own lines are
# printed. Without an X display the game runs in a virtual one: once its
# window shows, it plays for RUN_SECONDS (5 by default), a screenshot of the
# window is saved and the game is quit with 'q'.
set -euo pipefail
cd "$(dirname "$0")/.."
SCRIPTS=$(pwd)/scripts
mkdir -p "${BUILD_DIR:-build}"
BUILD_DIR=$(cd "${BUILD_DIR:-build}" && pwd)
GAME_DIR="$BUILD_DIR/game"
LOG="$BUILD_DIR/run.log"

# Runs a step with its output in the log; on failure shows the log's end.
quietly() {
  local what=$1
  shift
  if ! "$@" >>"$LOG" 2>&1; then
    echo "The $what failed; the end of $LOG:" >&2
    tail -n 40 "$LOG" >&2
    exit 1
  fi
}
: >"$LOG"
quietly build bash scripts/build.sh
quietly "asset generation" "$BUILD_DIR/tools/brellow-assets" "$GAME_DIR"
cd "$GAME_DIR"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$BUILD_DIR/brellow"
fi

. "$SCRIPTS/xvfb.sh"
ensure_display
echo "No X display found: running the game in the virtual display $DISPLAY for ${RUN_SECONDS:-5} seconds."
"$BUILD_DIR/brellow" &
GAME_PID=$!
# The display is the script's own, so the one window that shows is the game's
# (named after the program, build/brellow). Waits up to 30 seconds for it.
WINDOW=""
for _ in $(seq 300); do
  WINDOW=$(xdotool search --onlyvisible --name brellow 2>/dev/null | head -n 1) && [ -n "$WINDOW" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
SHOT="$GAME_DIR/screenshot.png"
if [ -n "$WINDOW" ]; then
  sleep "${RUN_SECONDS:-5}"
  import -window "$WINDOW" "$SHOT"
  # A real key press through the XTest extension, with the pointer over the
  # window so that it has the keyboard focus.
  xdotool mousemove --window "$WINDOW" 512 384 key q
else
  kill -0 "$GAME_PID" 2>/dev/null && echo "The game's window did not show within 30 seconds." >&2
  kill "$GAME_PID" 2>/dev/null || true
  SHOT="none"
fi
status=0
wait "$GAME_PID" || status=$?
echo "Screenshot: $SHOT"
echo "Exit status: $status"
exit "$status"
