#!/usr/bin/env bash
# Robustness checks after the normal tests (./dev.sh test has built build/ already):
#   1. the whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (build-asan/), including the LeakSanitizer check of the program's start-up and actions;
#   2. valgrind's leak check of the normal build's program and action driver;
#   3. each fuzz target for a fixed time (build-fuzz/).
# Fails on the first stage that finds anything. QUILLOMAT_FUZZ_SECONDS sets the fuzz time per
# target (default 50).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-packages.sh

stage() { printf '\n==== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }

stage "sanitizer build"
# -O1 keeps the sanitized tests quick without losing useful stack traces.
cmake -S . -B build-asan -G Ninja -DQUILLOMAT_SANITIZE=ON -DQUILLOMAT_BUILD_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g"
cmake --build build-asan

stage "test suite under ASan and UBSan"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$root/tests/robustness/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure --timeout 900 -j2

stage "valgrind leak check of the normal build"
cmake --build build --target quillomat quillomat-actions-driver
tests/robustness/check-leaks.sh valgrind build/bin/quillomat build/tests/quillomat-actions-driver \
  "$root/examples"

stage "fuzz smoke"
fuzz/run.sh "${QUILLOMAT_FUZZ_SECONDS:-50}"

stage "robustness checks passed"
