#!/usr/bin/env bash
# Configures and builds everything into build/ (BUILD_DIR), incrementally.
# Installs nothing: scripts/setup.sh does that.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
