#!/usr/bin/env bash
# Writes a disc image of a kit (or any medium's folder): ISO 9660 with Rock Ridge, so that the
# Linux programs keep their execute bits, and Joliet, so that Windows sees long and non-Latin
# names. Then reads the image back and compares it with the folder: every file and folder is
# there, under the same name in both trees, with the mode Rock Ridge gives it.
#   scripts/make-iso.sh FOLDER FILE [--label LABEL]
# The label defaults to FOLDER's name. ISO 9660 allows upper-case A-Z, 0-9 and _, at most 32 of
# them (the primary volume descriptor); other letters become their plain form or _. Windows
# shows the Joliet label, which holds the first 16.
set -euo pipefail

usage() {
  echo "usage: scripts/make-iso.sh FOLDER FILE [--label LABEL]" >&2
  exit 2
}

# A label in the form ISO 9660 allows: "Demo Disc (2)" as DEMO_DISC_2, "Würfel" as WURFEL.
volume_label() {
  local plain
  plain=$(printf '%s' "$1" | iconv -f UTF-8 -t ASCII//TRANSLIT 2>/dev/null) || plain=$1
  plain=$(printf '%s' "$plain" | tr '[:lower:]' '[:upper:]' | tr -c 'A-Z0-9_' '_' |
    sed -e 's/__*/_/g' -e 's/^_//' -e 's/_$//')
  plain=${plain:0:32}
  printf '%s' "${plain:-QUILLOMAT}"
}

# What Rock Ridge keeps of a mode (mkisofs -r): readable by all, executable by all where anyone
# could execute, writable by none. Prints "type mode path" per entry, sorted.
expected_listing() {
  local folder=$1
  (cd "$folder" && find . -mindepth 1 -printf '%y %m %P\n') | while read -r type mode path; do
    local x=0
    (( (8#$mode & 8#111) != 0 )) && x=1
    [ "$type" = d ] && x=1
    printf '%s %s /%s\n' "$type" $((x ? 555 : 444)) "$path"
  done | LC_ALL=C sort
}

# The image's tree as xorriso reads it: "type mode path", sorted. $2 picks the tree: rock
# (Rock Ridge) or joliet.
image_listing() {
  local iso=$1 tree=$2 read_fs=any
  [ "$tree" = joliet ] && read_fs=norock
  xorriso -abort_on NEVER -report_about SORRY -read_fs "$read_fs" -indev "$iso" \
    -find / -exec lsdl -- 2>/dev/null |
    awk -v tree="$tree" '
      /^[-dl][-rwxsStT]+ / {
        type = substr($1, 1, 1); if (type == "-") type = "f"
        mode = 0
        for (i = 2; i <= 10; i++) mode = mode * 2 + (substr($1, i, 1) != "-")
        # The name: everything after the ninth column, quoted by xorriso.
        line = $0; for (i = 1; i <= 8; i++) sub(/^[^ ]+ +/, "", line)
        gsub(/^'\''|'\''$/, "", line)
        if (line == "/") next
        printf "%s %o %s\n", type, mode, line
      }' | LC_ALL=C sort
}

[ $# -ge 2 ] || usage
folder=$1
iso=$2
shift 2
label=
while [ $# -gt 0 ]; do
  case "$1" in
    --label) [ $# -ge 2 ] || usage; label=$2; shift ;;
    *) usage ;;
  esac
  shift
done
[ -d "$folder" ] || { echo "make-iso.sh: $folder is not a folder" >&2; exit 2; }
command -v xorriso >/dev/null || { echo "make-iso.sh: xorriso is missing (scripts/install-packages.sh installs it)" >&2; exit 1; }
folder=$(cd "$folder" && pwd)
# An image replaces nothing, and is not written into the tree it is made of.
if [ -e "$iso" ]; then
  echo "make-iso.sh: $iso exists; give a new file name" >&2
  exit 2
fi
iso_dir=$(cd "$(dirname "$iso")" && pwd)
case "$iso_dir/" in
  "$folder"/*) echo "make-iso.sh: $iso would be inside $folder" >&2; exit 2 ;;
esac
iso=$iso_dir/$(basename "$iso")
for starter in autorun.inf autorun.sh; do
  [ -f "$folder/$starter" ] || echo "make-iso.sh: warning: $folder has no $starter at its root" >&2
done
label=$(volume_label "${label:-$(basename "$folder")}")

# -r: Rock Ridge with the modes above and owner root; -J with long Joliet names (up to 103);
# level 3 lets a file pass 4 GB.
if ! log=$(xorriso -as mkisofs -iso-level 3 -r -J -joliet-long -input-charset utf-8 \
  -V "$label" -o "$iso" "$folder" 2>&1); then
  printf '%s\n' "$log" >&2
  rm -f "$iso"
  echo "make-iso.sh: xorriso could not write $iso" >&2
  exit 1
fi

expected=$(expected_listing "$folder")
rock=$(image_listing "$iso" rock)
if [ "$expected" != "$rock" ]; then
  echo "make-iso.sh: FAIL: the image's Rock Ridge tree differs from $folder (< folder, > image):" >&2
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$rock") | head -20 >&2
  exit 1
fi
# Joliet has no modes: only the names are compared.
joliet=$(image_listing "$iso" joliet | cut -d' ' -f1,3- | LC_ALL=C sort)
names=$(printf '%s\n' "$expected" | cut -d' ' -f1,3- | LC_ALL=C sort)
if [ "$names" != "$joliet" ]; then
  echo "make-iso.sh: FAIL: the image's Joliet names differ from $folder (< folder, > image):" >&2
  diff <(printf '%s\n' "$names") <(printf '%s\n' "$joliet") | head -20 >&2
  exit 1
fi
read_label=$(xorriso -indev "$iso" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: *//p')
if [ "$read_label" != "$label" ]; then
  echo "make-iso.sh: FAIL: the image's label is \"$read_label\", not \"$label\"" >&2
  exit 1
fi
count=$(printf '%s\n' "$expected" | grep -c .)
echo "Disc image $iso: $(du -h "$iso" | cut -f1), label $label; read back: $count files and folders, each with its mode in Rock Ridge and its name in Joliet"
