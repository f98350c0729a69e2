#!/bin/sh
# Runs the catalogue benchmarks on freshly generated discs and, in the same run, times
# `grep -rliF` over the same description files as the reference.
#   bench/catalogue/run-benchmarks.sh [BUILD_DIR]   (default: build)
set -eu
build=${1:-build}
bin="$build/bin"
discs=$(mktemp -d)
trap 'rm -rf "$discs"' EXIT

"$bin/quillomat-bench-make-disc" "$discs/disc-1000" 1000
"$bin/quillomat-bench-make-disc" "$discs/disc-10000" 10000
"$bin/quillomat-bench-make-disc" "$discs/disc-100000" 100000 --no-texts

QUILLOMAT_BENCH_DISCS="$discs" "$bin/bench_catalogue" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true

# grep from the shell as well, without the process start-up of the benchmark's QProcess.
for n in 1000 10000; do
    folder="$discs/disc-$n/texts"
    grep -rliF zeppelin "$folder" >/dev/null # warm the page cache like the benchmark did
    runs=20
    start=$(date +%s%N)
    i=0
    while [ $i -lt $runs ]; do
        grep -rliF zeppelin "$folder" >/dev/null
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "grep -rliF zeppelin over $n descriptions: $(( (end - start) / runs / 1000 )) us per run (mean of $runs)"
done
