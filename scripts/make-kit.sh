#!/usr/bin/env bash
# Makes a disc kit from a build: OUT laid out as the root of a medium, with the program folder
# OUT/quillomat/ that runs on a desktop without Qt, and OUT/autorun.sh.
#   scripts/make-kit.sh BUILD OUT [--demo] [--windows BUILD_WINDOWS]
# --demo adds the demo disc's packages at OUT's root and its menu, making OUT a complete medium.
# --windows adds the Windows half from a Windows build (./dev.sh windows): quillomat.exe and
# quillomat-catalogue.exe in OUT/quillomat/, and OUT/autorun.inf, so one medium serves both.
set -euo pipefail

usage() {
  echo "usage: scripts/make-kit.sh BUILD OUT [--demo] [--windows BUILD_WINDOWS]" >&2
  exit 2
}

# The Linux program folder and autorun.sh: the build's "kit" install component (kit/).
linux_kit() {
  local build=$1 out=$2 demo=$3
  cmake --install "$build" --component kit --prefix "$out" --strip >/dev/null
  if [ "$demo" = yes ]; then
    # cmake --install skips a file whose copy has the same time stamp, as the starter menu and
    # page may have in a fresh clone: remove them so that the demo's replace them.
    rm -f "$out/quillomat/quillomat.qmf" "$out/quillomat/about.rtf"
    cmake --install "$build" --component kit-demo --prefix "$out" >/dev/null
  fi
}

[ $# -ge 2 ] || usage
build=$1
out=$2
shift 2
demo=no
windows_build=
while [ $# -gt 0 ]; do
  case "$1" in
    --demo) demo=yes ;;
    --windows) [ $# -ge 2 ] || usage; windows_build=$2; shift ;;
    *) usage ;;
  esac
  shift
done
for folder in "$build" ${windows_build:+"$windows_build"}; do
  [ -f "$folder/CMakeCache.txt" ] || { echo "make-kit.sh: $folder is not a build folder" >&2; exit 2; }
done
# A kit replaces nothing: files already in OUT (a menu being written, another kit) stay untouched.
if [ -e "$out" ] && [ -n "$(ls -A "$out")" ]; then
  echo "make-kit.sh: $out is not empty; give a new or empty folder" >&2
  exit 2
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

linux_kit "$build" "$out" "$demo"
if [ ! -x "$out/quillomat/quillomat" ]; then
  echo "make-kit.sh: the build made no kit: configure it again (cmake -S . -B $build)" >&2
  exit 1
fi
if [ -n "$windows_build" ]; then
  cmake --install "$windows_build" --component kit-windows --prefix "$out" >/dev/null
  if [ ! -f "$out/quillomat/quillomat.exe" ] || [ ! -f "$out/autorun.inf" ]; then
    echo "make-kit.sh: the Windows build made no kit: configure it again (./dev.sh windows)" >&2
    exit 1
  fi
fi
echo "Disc kit in $out: $(du -sh "$out" | cut -f1)"
