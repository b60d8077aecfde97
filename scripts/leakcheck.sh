#!/usr/bin/env bash
# Leak check: two whole games in a row in one process (the two-game resource
# test of brellow-tests) under valgrind's memcheck. Fails on any memory error
# or on any block definitely lost that is not one of Mesa's or X's own,
# which scripts/valgrind-mesa-x.supp lists and explains. Prints the leak
# figures. Needs the normal build (scripts/build.sh); the test process opens
# a virtual display of its own.
#
# Mesa runs its plain software rasteriser (softpipe) here: llvmpipe compiles
# code at run time and runs threads, which valgrind makes far slower. The
# test draws only the few frames it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=$(cd "${BUILD_DIR:-build}" && pwd)
LOG=$(mktemp /tmp/brellow-leakcheck-XXXXXX.log)

cd "$BUILD_DIR/tests"
status=0
LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe \
  valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,possible \
    --errors-for-leak-kinds=definite --error-exitcode=3 --keep-debuginfo=yes \
    --num-callers=40 --suppressions="$ROOT/scripts/valgrind-mesa-x.supp" --log-file="$LOG" \
    ./brellow-tests --gtest_filter='ResourceBalance.TwoGames*' || status=$?

echo "valgrind memcheck, two games in one process:"
sed -n 's/^==[0-9]*== \{1,\}\(definitely lost\|indirectly lost\|possibly lost\|still reachable\|suppressed\|ERROR SUMMARY\)/  \1/p' "$LOG"
if [ "$status" -ne 0 ]; then
  echo "Leak check failed (status $status):" >&2
  grep -A40 -E "definitely lost in|Invalid|uninitialised|Mismatched" "$LOG" >&2 || true
  echo "The full log: $LOG" >&2
  exit 1
fi
rm -f "$LOG"
