#!/usr/bin/env bash
# The quick check: builds, then runs every ctest test, as many at once as
# the machine has processors. Each test brings its own virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j"$(nproc)" "$@"
