#!/usr/bin/env bash
# Fuzzes the two file readers with libFuzzer for a bounded time each
# (FUZZ_SECONDS, 60 by default): readBmp and the OBJ model reader. The
# fuzzers are built with clang into build-fuzz/ with AddressSanitizer and
# UndefinedBehaviorSanitizer. Each starts from the small seeds kept in
# fuzz/seeds/ and from the game's own pictures and models, generated afresh
# with brellow-assets (from the normal build in $BUILD_DIR, default build/).
#
# A crash fails the run and leaves its input in the work folder printed
# below. Once fixed, keep the input under tests/nodisplay/regressions/bmp/ or
# obj/, where the unit tests read it on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=$(cd "${BUILD_DIR:-build}" && pwd)
FUZZ_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}

cmake -S . -B "$FUZZ_DIR" -DCMAKE_CXX_COMPILER=clang++ -DBRELLOW_FUZZERS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$FUZZ_DIR" -j"$(nproc)" --target fuzz-bmp fuzz-obj
FUZZ_BIN=$(cd "$FUZZ_DIR/fuzz" && pwd)

WORK=$(mktemp -d /tmp/brellow-fuzz-run-XXXXXX)
"$BUILD_DIR/tools/brellow-assets" "$WORK/assets" >/dev/null
mkdir -p "$WORK/seeds/bmp" "$WORK/seeds/obj" "$WORK/corpus/bmp" "$WORK/corpus/obj" "$WORK/crashes"
cp fuzz/seeds/bmp/* "$WORK/assets/textures/"*.bmp "$WORK/seeds/bmp/"
cp fuzz/seeds/obj/* "$WORK/assets/models/"*.obj "$WORK/seeds/obj/"

failed=0
# Runs one fuzzer; libFuzzer writes what it learns into the first (empty)
# corpus folder and reads the seeds from the second. Paths are absolute
# because the OBJ fuzzer works in a scratch folder of its own.
fuzz() {
  local name=$1 maxLength=$2
  echo "Fuzzing $name for ${SECONDS_EACH}s"
  if ! "$FUZZ_BIN/fuzz-$name" -max_total_time="$SECONDS_EACH" -max_len="$maxLength" \
      -timeout=10 -rss_limit_mb=2048 -close_fd_mask=3 -print_final_stats=1 \
      -artifact_prefix="$WORK/crashes/$name-" "$WORK/corpus/$name" "$WORK/seeds/$name" \
      >"$WORK/$name.log" 2>&1; then
    failed=1
    echo "fuzz-$name found a fault:" >&2
    grep -E -A30 "ERROR|runtime error|deadly signal|Test unit written" "$WORK/$name.log" | head -60 >&2
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$WORK/$name.log" | sed 's/^/  /'
}

fuzz bmp 65536
fuzz obj 40000

if [ "$failed" -ne 0 ]; then
  echo "Inputs that crashed: $WORK/crashes" >&2
  exit 1
fi
rm -rf "$WORK"
