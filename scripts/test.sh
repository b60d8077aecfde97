#!/usr/bin/env bash
# Every test, headless: the check (build and ctest), the GL unit tests again
# under Mesa's softpipe rasteriser, then the hardening checks: sanitizer
# build, fuzzers and leak check. Each is timed.
set -euo pipefail
cd "$(dirname "$0")/.."
for check in check softpipe sanitize fuzz leakcheck; do
  started=$(date +%s)
  bash "scripts/$check.sh"
  echo "scripts/$check.sh passed in $(( $(date +%s) - started ))s"
done
