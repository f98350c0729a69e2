#!/bin/sh
# Times process start to first paint of the main window on synthetic discs of 1,000 and 10,000
# packages, beside a minimal Qt Widgets window with a list of as many rows, in one hyperfine run.
#   bench/startup/run-startup.sh [BUILD_DIR]   (default: build; needs hyperfine)
set -eu
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The program reads lang.ini, about.rtf and its menu file from its own folder; give it a folder
# of its own with one language, so that no chooser waits for an answer.
mkdir -p "$work/program"
cp "$build/bin/quillomat" "$work/program/"
printf '[English]\r\nSearch=search...\r\n' > "$work/program/lang.ini"
cp "$(dirname "$0")/../../examples/program/about.rtf" "$work/program/"

for n in 1000 10000; do
    "$build/bin/quillomat-bench-make-disc" "$work/disc-$n" "$n"
done

export QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1
hyperfine --warmup 3 --runs 20 --export-markdown "$work/startup.md" \
    -n "quillomat 1000" "$work/program/quillomat $work/disc-1000/quillomat.qmf" \
    -n "minimal list 1000" "$build/bin/quillomat-bench-minimal-list 1000" \
    -n "quillomat 10000" "$work/program/quillomat $work/disc-10000/quillomat.qmf" \
    -n "minimal list 10000" "$build/bin/quillomat-bench-minimal-list 10000"
cat "$work/startup.md"
