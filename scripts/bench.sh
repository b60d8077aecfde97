#!/usr/bin/env bash
# Builds everything, then runs the frame benchmark, in a virtual X display
# when there is no display. Arguments go to brellow-bench, e.g.
#   bash scripts/bench.sh --frames 300 --sizes 128,256 --drift-frames 0
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
BUILD_DIR=$(cd "${BUILD_DIR:-build}" && pwd)
. scripts/xvfb.sh
ensure_display
# From the build folder, so the results file (bench-results.json unless
# --json says otherwise) lands beside the build and stays out of git.
cd "$BUILD_DIR"
./bench/brellow-bench "$@"
