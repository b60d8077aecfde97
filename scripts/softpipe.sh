#!/usr/bin/env bash
# The GL unit tests on a second rasteriser, Mesa's softpipe, so that no test
# leans on the quirks of llvmpipe, which draws every other run. softpipe is
# several times slower: the reference frame's scripted games play fewer
# frames here (BRELLOW_REFERENCE_FRAMES).
set -euo pipefail
cd "$(dirname "$0")/.."
cd "${BUILD_DIR:-build}"
GALLIUM_DRIVER=softpipe BRELLOW_REFERENCE_FRAMES=${BRELLOW_REFERENCE_FRAMES:-21} \
  ctest --output-on-failure -j"$(nproc)" -L unit
