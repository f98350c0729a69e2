#!/usr/bin/env bash
# Makes a disc kit from a build: OUT laid out as the root of a medium, with the program folder
# OUT/quillomat/ that runs on a desktop without Qt, and OUT/autorun.sh.
#   scripts/make-kit.sh BUILD OUT [--demo | --disc FOLDER] [--menu MENU] [--windows BUILD_WINDOWS]
#                       [--iso FILE [--label LABEL]]
# --demo adds the demo disc's packages at OUT's root and its menu, making OUT a complete medium.
# --disc copies FOLDER's packages to OUT's root, and --menu puts MENU in the program folder in
# place of the starter menu: the author's own medium.
# --iso writes a disc image of OUT and reads it back (scripts/make-iso.sh); its label defaults
# to the name of FOLDER (or OUT).
# --windows adds the Windows half from a Windows build (./dev.sh windows): quillomat.exe and
# quillomat-catalogue.exe in OUT/quillomat/, and OUT/autorun.inf, so one medium serves both.
set -euo pipefail

usage() {
  echo "usage: scripts/make-kit.sh BUILD OUT [--demo | --disc FOLDER] [--menu MENU]" \
    "[--windows BUILD_WINDOWS] [--iso FILE [--label LABEL]]" >&2
  exit 2
}

# The parts of PROGRAM that its start reads, as "FIRST_BLOCK BLOCK_COUNT" lines of 128 KiB blocks
# (the kernel's read-ahead size: such reads reach the medium in order), for autorun.sh to read
# through before the start: the whole file but the blocks that hold only the unwinding tables,
# which only a thrown exception reads (a few pages, found through their index), and Qt's
# built-in MIME database, which the start does not ask for; a start from a CD would otherwise
# read them at 3.6 MB/s (2.1 MB of 12.7).
preread_ranges() {
  readelf -SW "$1" | awk -v size="$(stat -c %s "$1")" '
    function hex(text,    i, value) {
      value = 0
      text = tolower(text)
      for (i = 1; i <= length(text); i++)
        value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    # The section table lists them in file order: "[ N] NAME TYPE ADDRESS OFFSET SIZE ...".
    # Skipped sections that follow each other (apart from alignment) make one span.
    /^ *\[ *[0-9]+\]/ {
      sub(/^ *\[ *[0-9]+\] */, "")
      if ($1 !~ /^(\.qtmimedatabase|\.eh_frame_hdr|\.eh_frame)$/) next
      first = hex($4); end = first + hex($5)
      if (n > 0 && first <= span_end[n] + 64) { span_end[n] = end; next }
      span_first[++n] = first; span_end[n] = end
    }
    END {
      # Whole blocks inside a span only: its neighbours share the blocks at its ends.
      next_block = 0
      for (i = 1; i <= n; i++) {
        from = int((span_first[i] + 131071) / 131072); to = int(span_end[i] / 131072)
        if (to <= from) continue
        if (from > next_block) print next_block, from - next_block
        next_block = to
      }
      blocks = int((size + 131071) / 131072)
      if (blocks > next_block) print next_block, blocks - next_block
    }'
}

# The Linux program folder and autorun.sh: the build's "kit" install component (kit/).
linux_kit() {
  local build=$1 out=$2 demo=$3
  cmake --install "$build" --component kit --prefix "$out" --strip >/dev/null
  preread_ranges "$out/quillomat/quillomat" >"$out/quillomat/preread"
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
disc=
menu=
iso=
label=
while [ $# -gt 0 ]; do
  case "$1" in
    --demo) demo=yes ;;
    --windows) [ $# -ge 2 ] || usage; windows_build=$2; shift ;;
    --disc) [ $# -ge 2 ] || usage; disc=$2; shift ;;
    --menu) [ $# -ge 2 ] || usage; menu=$2; shift ;;
    --iso) [ $# -ge 2 ] || usage; iso=$2; shift ;;
    --label) [ $# -ge 2 ] || usage; label=$2; shift ;;
    *) usage ;;
  esac
  shift
done
[ -n "$label" ] && [ -z "$iso" ] && usage
if [ -n "$disc" ]; then
  [ "$demo" = no ] || { echo "make-kit.sh: --demo and --disc each bring packages; give one" >&2; exit 2; }
  [ -d "$disc" ] || { echo "make-kit.sh: $disc is not a folder" >&2; exit 2; }
  # The kit's own files at the root: a medium's copies would be replaced or mixed in.
  for own in quillomat autorun.sh autorun.inf; do
    if [ -e "$disc/$own" ]; then
      echo "make-kit.sh: $disc already has $own: give the folder of the packages only" >&2
      exit 2
    fi
  done
fi
[ -z "$menu" ] || [ -f "$menu" ] || { echo "make-kit.sh: $menu is not a file" >&2; exit 2; }
if [ -n "$iso" ] && [ -e "$iso" ]; then
  echo "make-kit.sh: $iso exists; give a new file name" >&2
  exit 2
fi
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
if [ -n "$disc" ]; then
  cp -R --preserve=mode,timestamps "$disc/." "$out/"
fi
if [ -n "$menu" ]; then
  cp "$menu" "$out/quillomat/quillomat.qmf"
fi
echo "Disc kit in $out: $(du -sh "$out" | cut -f1)"
if [ -n "$iso" ]; then
  name=$(basename "${disc:-$out}")
  [ "$demo" = yes ] && name="Quillomat Demo"
  "$(dirname "$0")/make-iso.sh" "$out" "$iso" --label "${label:-$name}"
fi
