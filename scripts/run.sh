#!/usr/bin/env bash
# Builds everything, generates the assets into build/game/ and starts the
# game there. Without an X display the game runs in a virtual one for a few
# seconds, a screenshot is saved and the game is quit with 'q'.
set -euo pipefail
cd "$(dirname "$0")/.."
SCRIPTS=$(pwd)/scripts
bash scripts/build.sh
BUILD_DIR=$(cd "${BUILD_DIR:-build}" && pwd)
GAME_DIR="$BUILD_DIR/game"
"$BUILD_DIR/tools/brellow-assets" "$GAME_DIR"
cd "$GAME_DIR"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$BUILD_DIR/brellow"
fi

. "$SCRIPTS/xvfb.sh"
ensure_display
echo "No X display found: running the game in the virtual display $DISPLAY."
"$BUILD_DIR/brellow" &
GAME_PID=$!
sleep ${RUN_SECONDS:-5}
SHOT="$GAME_DIR/screenshot.png"
import -window root -crop 1024x768+100+100 +repage "$SHOT"
# A real key press through the XTest extension, with the pointer over the
# window so that it has the keyboard focus.
xdotool mousemove 612 484 key q
status=0
wait "$GAME_PID" || status=$?
echo "Screenshot: $SHOT"
echo "Exit status: $status"
exit "$status"
