#!/usr/bin/env bash
# Makes a disc kit from a build: OUT laid out as the root of a medium, with the program folder
# OUT/quillomat/ that runs on a desktop without Qt, and OUT/autorun.sh.
#   scripts/make-kit.sh BUILD OUT [--demo]
# --demo adds the demo disc's packages at OUT's root and its menu, making OUT a complete medium.
set -euo pipefail

usage() {
  echo "usage: scripts/make-kit.sh BUILD OUT [--demo]" >&2
  exit 2
}

# The Linux program folder and autorun.sh: the build's "kit" install component (kit/).
linux_kit() {
  local build=$1 out=$2 demo=$3
  cmake --install "$build" --component kit --prefix "$out" --strip >/dev/null
  if [ "$demo" = yes ]; then
    cmake --install "$build" --component kit-demo --prefix "$out" >/dev/null
  fi
}

[ $# -ge 2 ] && [ $# -le 3 ] || usage
build=$1
out=$2
demo=no
if [ $# -eq 3 ]; then
  [ "$3" = --demo ] || usage
  demo=yes
fi
[ -f "$build/CMakeCache.txt" ] || { echo "make-kit.sh: $build is not a build folder" >&2; exit 2; }
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
echo "Disc kit in $out: $(du -sh "$out" | cut -f1)"
