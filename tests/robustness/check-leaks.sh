#!/usr/bin/env bash
# Leak check of the offscreen start-up and shutdown, and of the main actions.
#   check-leaks.sh lsan     <quillomat> <quillomat-actions-driver> <examples folder>
#   check-leaks.sh valgrind <quillomat> <quillomat-actions-driver> <examples folder>
# lsan: the executables come from the sanitizer build, whose LeakSanitizer reports at exit.
# valgrind: the executables of a normal build under memcheck; only memory definitely lost
# counts. Both take lsan.supp / valgrind.supp beside this script, which name only library
# frames (Qt, fontconfig, GLib), never ours.
set -euo pipefail
mode=$1
program=$2
driver=$3
examples=$4
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/cache"
# The program's folder with one language, so that no chooser waits for an answer.
cp "$program" "$examples/program/quillomat.qmf" "$examples/program/about.rtf" \
  "$examples/program/help.rtf" "$work/program/"
awk '/^\[/ { sections++ } sections < 2' "$examples/program/lang.ini" >"$work/program/lang.ini"
disc=$(cd "$examples/disc" && pwd)
export QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 XDG_CACHE_HOME="$work/cache"

status=0
case "$mode" in
  lsan)
    export ASAN_OPTIONS=detect_leaks=1:exitcode=23
    export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
    for run in program actions; do
      if [ $run = program ]; then
        set -- "$work/program/$(basename "$program")" /TEST "$disc"
      else
        set -- "$driver" "$examples/program" "$disc"
      fi
      if "$@" >"$work/$run.log" 2>&1; then
        echo "ok: $run: no leak"
      else
        echo "FAIL: $run (exit $?)"
        cat "$work/$run.log"
        status=1
      fi
    done
    ;;
  valgrind)
    command -v valgrind >/dev/null || { echo "valgrind is not installed: skipped"; exit 77; }
    for run in program actions; do
      if [ $run = program ]; then
        set -- "$work/program/$(basename "$program")" /TEST "$disc"
      else
        set -- "$driver" "$examples/program" "$disc"
      fi
      if valgrind --quiet --leak-check=full --show-leak-kinds=definite \
           --errors-for-leak-kinds=definite --error-exitcode=23 \
           --suppressions="$here/valgrind.supp" --num-callers=40 \
           "$@" >"$work/$run.log" 2>&1; then
        echo "ok: $run: nothing definitely lost"
      else
        echo "FAIL: $run"
        cat "$work/$run.log"
        status=1
      fi
    done
    ;;
  *)
    echo "usage: check-leaks.sh lsan|valgrind <quillomat> <driver> <examples folder>" >&2
    exit 2
    ;;
esac
exit $status
