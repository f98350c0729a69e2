#!/bin/sh
# The keyword search benchmarks, each beside its reference in the same run:
#  1. quillomat-catalogue's first search over 10,000 packages with descriptions of about 8 KB,
#     beside `grep -rliF` over the same files (goal: at most 2x grep's time), once with plain
#     descriptions and once with descriptions rich in bold runs and escaped accented letters;
#  2. the first search in the window 3 s after its first paint, beside a repeated search (goal:
#     at most 1.2x), with the longest time the GUI thread was busy (goal: under 50 ms);
#  3. peak memory at first paint with 100,000 packages, beside a bare Qt window with a list of
#     as many rows (goal: at most 2x).
#   bench/search/run-search.sh [BUILD_DIR]   (default: build; needs hyperfine and GNU time)
set -eu
build=$(cd "${1:-build}" && pwd)
bin="$build/bin"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load: $(uptime)"
"$bin/quillomat-bench-make-disc" "$work/disc-10000" 10000 --text-bytes 8192
"$bin/quillomat-bench-make-disc" "$work/disc-10000-rich" 10000 --text-bytes 8192 --rich
"$bin/quillomat-bench-make-disc" "$work/disc-100000" 100000 --no-texts
menu="$work/disc-10000/quillomat.qmf"
texts="$work/disc-10000/texts"
echo "10,000 descriptions, $(du -sk "$texts" | cut -f1) KB"

# A program folder of its own with one language, so that no chooser waits for an answer.
mkdir -p "$work/program"
cp "$bin/quillomat" "$work/program/"
printf '[English]\r\nSearch=search...\r\n' > "$work/program/lang.ini"
cp "$here/../../examples/program/about.rtf" "$work/program/"

echo
echo "1. command-line search (every run is a first search: a new process) beside grep"
for kind in plain rich; do
    disc="$work/disc-10000"
    [ "$kind" = plain ] || disc="$work/disc-10000-rich"
    echo "   $kind descriptions"
    hyperfine -N --warmup 3 --runs 20 --export-csv "$work/cli-$kind.csv" \
        -n "quillomat-catalogue search" "$bin/quillomat-catalogue search $disc/quillomat.qmf zeppelin" \
        -n "grep -rliF" "grep -rliF zeppelin $disc/texts"
    awk -F, -v kind="$kind" 'NR == 2 { ours = $2 } NR == 3 { grep = $2 }
        END { r = ours / grep; printf "   %s: search %.1f ms, grep %.1f ms: %.2fx grep (%s 2x)\n",
              kind, ours * 1000, grep * 1000, r, r <= 2 ? "within" : "ABOVE" }' "$work/cli-$kind.csv"
done

echo
echo "2. search in the window"
QT_QPA_PLATFORM=offscreen "$bin/quillomat-bench-window-search" "$work/program" "$menu" zeppelin 3 \
    2>/dev/null

echo
echo "3. peak memory at first paint, 100,000 packages"
export QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1
ours=$(/usr/bin/time -f %M "$work/program/quillomat" "$work/disc-100000/quillomat.qmf" 2>&1 >/dev/null | tail -1)
bare=$(/usr/bin/time -f %M "$bin/quillomat-bench-minimal-list" 100000 2>&1 >/dev/null | tail -1)
awk -v ours="$ours" -v bare="$bare" 'BEGIN { r = ours / bare;
    printf "   quillomat %.1f MB, bare Qt list window %.1f MB: %.2fx (%s 2x)\n",
           ours / 1024, bare / 1024, r, r <= 2 ? "within" : "ABOVE" }'
