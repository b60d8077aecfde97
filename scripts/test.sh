#!/usr/bin/env bash
# Sets up and builds everything, then runs every test in a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
. scripts/xvfb.sh
start_virtual_display
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --timeout 900
