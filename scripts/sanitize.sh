#!/usr/bin/env bash
# Builds the core library, the programs and every test with AddressSanitizer
# and UndefinedBehaviorSanitizer into build-asan/ and runs all the tests with
# them. Any report fails the run: undefined behaviour aborts (no recovery),
# and a memory error ends the program under test with ASan's exit status.
#
# Leak detection is off here: Mesa and Xlib keep allocations alive until the
# process exits, which LeakSanitizer reports as leaks. Leaks of our own code
# are checked under valgrind instead (scripts/leakcheck.sh), where those
# libraries' blocks are suppressed one by one.
set -euo pipefail
cd "$(dirname "$0")/.."
ASAN_DIR=${ASAN_BUILD_DIR:-build-asan}
SANITIZERS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

# -O1 with line tables only: quicker to build than the normal -O2 -g, and
# still enough for reports that name the file and line.
cmake -S . -B "$ASAN_DIR" -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS="-O1 -g1 $SANITIZERS" \
  -DCMAKE_EXE_LINKER_FLAGS="$SANITIZERS" >/dev/null
cmake --build "$ASAN_DIR" -j"$(nproc)"

export ASAN_OPTIONS="detect_leaks=0:strict_string_checks=1:check_initialization_order=1:suppressions=$PWD/scripts/asan-mesa.supp"
export UBSAN_OPTIONS="print_stacktrace=1"
cd "$ASAN_DIR"
# Every test that runs the game's code: the unit tests, with and without a
# display, the end-to-end tests, whose programs are the instrumented ones,
# and the benchmark's. They wait for what they observe, never a fixed time,
# so the slower build reaches the same verdicts. The install and package
# checks and the floor probes run in the normal build: these programs are
# built for finding faults, not for shipping, and the probes only compile.
ctest --output-on-failure --timeout 1200 --label-exclude "packaging|floors" -j"$(nproc)"
