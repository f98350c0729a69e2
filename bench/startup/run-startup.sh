#!/bin/sh
# Times process start to first paint of the main window on synthetic discs of 1,000 and 10,000
# packages, beside a minimal Qt Widgets window with a list of as many rows, in one hyperfine run.
#   bench/startup/run-startup.sh [BUILD_DIR [WINDOWS_BUILD_DIR]]   (default: build; needs hyperfine)
# With a Windows build (./dev.sh windows), also quillomat.exe under Wine beside the same minimal
# window built statically for Windows, on the disc of 1,000 packages, on a virtual screen
# (xvfb-run), with Wine's server kept running between runs as a Windows session would be; and
# the sizes of the Windows programs.
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

[ -n "${2:-}" ] || exit 0
windows=$(cd "$2" && pwd)
unset QT_QPA_PLATFORM # Qt for Windows has its own platform only
export WINEPREFIX="$work/wine" WINEDEBUG=-all
wine wineboot -i >/dev/null 2>&1
cp "$windows/bin/quillomat.exe" "$work/program/"
windows_menu=$(winepath -w "$work/disc-1000/quillomat.qmf")
cd "$work" # the synthetic menu's folder is a Unix path: Z:, the current drive
xvfb-run -a -s "-screen 0 1024x768x24" sh -eu -c '
    wineserver -k 2>/dev/null || true # the server wineboot left, so that this one can start
    wineserver -w
    wineserver -p
    trap "wineserver -k" EXIT # the persistent server ends with the benchmark, also on failure
    hyperfine --warmup 3 --runs 10 --export-markdown "$1/startup-wine.md" \
        -n "quillomat.exe 1000 (Wine)" "wine $1/program/quillomat.exe '"'"'$2'"'"'" \
        -n "minimal list.exe 1000 (Wine)" "wine $3/bin/quillomat-bench-minimal-list.exe 1000"
' _ "$work" "$windows_menu" "$windows"
cat "$work/startup-wine.md"
for exe in quillomat.exe quillomat-catalogue.exe quillomat-bench-minimal-list.exe; do
    echo "$exe: $(stat -c %s "$windows/bin/$exe") bytes"
done
