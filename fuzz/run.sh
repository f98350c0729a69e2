#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan, and runs each for a fixed time.
#   fuzz/run.sh [seconds per target] [target...]      targets: inifile richtext menufile skin
# Fails when a target finds a crash, a leak, a timeout or runs out of memory; the input that
# did it is left in build-fuzz/findings/<target>/. Copy it into fuzz/regressions/<target>/ so
# that tst_fuzzregressions replays it in every normal test run.
# New coverage is kept in build-fuzz/corpus/<target>/ between runs; the seeds are assembled from
# the test fixtures, the demo disc and the regression inputs on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${QUILLOMAT_FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(inifile richtext menufile skin)

if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DQUILLOMAT_FUZZ=ON -DQUILLOMAT_SANITIZE=ON \
    -DBUILD_TESTING=OFF -DQUILLOMAT_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g"
fi
# QUILLOMAT_FUZZ_SKIP_BUILD=1 runs what is built, for long runs beside a build in progress.
[ -n "${QUILLOMAT_FUZZ_SKIP_BUILD:-}" ] ||
  cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}")

# The fixtures each target starts from (seeds_of).
source fuzz/corpus.sh

# Slow inputs count as findings: no input of a few kilobytes may take seconds.
timeout_of() { case "$1" in skin) echo 20 ;; *) echo 10 ;; esac; }
max_len_of() { case "$1" in richtext) echo 65536 ;; *) echo 16384 ;; esac; }

status=0
for target in "${targets[@]}"; do
  seeds=$build/seeds/$target
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  rm -rf "$seeds"
  mkdir -p "$seeds" "$corpus" "$findings"
  # Named after their path, so that lang.ini from two folders stays two seeds.
  for file in $(seeds_of "$target") fuzz/regressions/"$target"/*; do
    cp "$file" "$seeds/${file//\//_}"
  done
  echo "== fuzz_$target for ${seconds}s"
  # Findings stay in their folder; the log names the file.
  if ! ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1} \
       UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
       LSAN_OPTIONS=suppressions=$root/tests/robustness/lsan.supp:print_suppressions=0 \
       "$build/bin/fuzz_$target" "$corpus" "$seeds" \
         -dict="fuzz/dict/$target.dict" -max_total_time="$seconds" \
         -timeout="$(timeout_of "$target")" -rss_limit_mb=2560 -max_len="$(max_len_of "$target")" \
         -artifact_prefix="$findings/" -print_final_stats=1 \
         >"$build/fuzz_$target.log" 2>&1; then
    echo "fuzz_$target: FINDING, see $build/fuzz_$target.log and $findings/" >&2
    tail -n 60 "$build/fuzz_$target.log" >&2
    status=1
  else
    grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
      "$build/fuzz_$target.log" || true
  fi
done
exit $status
