#!/usr/bin/env bash
# Sets up and builds everything, runs every test in a virtual X display, then
# the hardening checks: sanitizer build, fuzzers and leak check.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
. scripts/xvfb.sh
start_virtual_display
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure --timeout 900)

# Hardening checks, each timed: the sanitizer build and its tests, the
# readers' fuzzers, and the leak check of two games under valgrind.
for check in sanitize fuzz leakcheck; do
  started=$(date +%s)
  bash "scripts/$check.sh"
  echo "scripts/$check.sh passed in $(( $(date +%s) - started ))s"
done
