#!/usr/bin/env bash
# Every test, headless: the check (build and ctest), the GL unit tests again
# under Mesa's softpipe rasteriser, then the hardening checks: sanitizer
# build, fuzzers and leak check. Stops at the first stage that fails. Each
# stage's time and the whole run's are printed at the end, pass or fail.
set -uo pipefail
cd "$(dirname "$0")/.."

stages=(check softpipe sanitize fuzz leakcheck)
declare -A title=([check]="check" [softpipe]="softpipe" [sanitize]="sanitizers" [fuzz]="fuzzers"
                  [leakcheck]="leak check")
run_started=$(date +%s)
times=()
failed=""
for stage in "${stages[@]}"; do
  started=$(date +%s)
  bash "scripts/$stage.sh" || failed=$stage
  times+=("$(printf '  %-11s %5ds%s' "${title[$stage]}" $(( $(date +%s) - started )) "${failed:+  FAILED}")")
  [ -n "$failed" ] && break
done

echo "Time by stage:"
printf '%s\n' "${times[@]}"
total=$(( $(date +%s) - run_started ))
if [ -n "$failed" ]; then
  echo "make test failed in the ${title[$failed]} stage after ${total}s."
  exit 1
fi
echo "make test passed in ${total}s."
