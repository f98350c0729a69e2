#!/usr/bin/env bash
# What a Windows program's bytes are made of, from the linker's map (the Windows build writes
# build-windows/<target>.map beside each link):
#   scripts/windows-size-report.sh build-windows/quillomat.map [LINES]
# Prints the output sections by size, then the archives (Qt's libraries, libstdc++, ...) and
# the program's own objects by the bytes their input sections occupy in the file (.bss, which
# takes none, left out), largest first, LINES of each (default 25).
set -euo pipefail
map=$1 lines=${2:-25}
awk -v lines="$lines" '
  /^Linker script and memory map/ { memory = 1; next }
  !memory { next }
  # An output section: its name at the start of the line, its address and size after it.
  /^\.[A-Za-z_$]+[ \t]+0x/ { if ($1 != ".bss") section[$1] += hex($3); next }
  # An input section: " .name 0xADDRESS 0xSIZE FILE", its name on a line of its own when long.
  /^ \.[^ ]+$/ { pending = $1; next }
  /^ \.[^ ]+[ \t]+0x[0-9a-f]+[ \t]+0x[0-9a-f]+[ \t]+/ { add($1, $3, $4); pending = ""; next }
  pending != "" && /^[ \t]+0x[0-9a-f]+[ \t]+0x[0-9a-f]+[ \t]+/ { add(pending, $2, $3) }
  { pending = "" }
  function hex(text,    i, value) {
    value = 0
    text = tolower(substr(text, 3))
    for (i = 1; i <= length(text); i++)
      value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
    return value
  }
  function add(name, size, file,    owner) {
    if (name ~ /^\.bss/ || name ~ /^\.debug/ || name ~ /^\.tls\$ZZZ/) return
    owner = file
    sub(/\(.*\)$/, "", owner) # an archive member counts for its archive
    sub(/.*\//, "", owner)
    owners[owner] += hex(size)
  }
  END {
    print "output sections (bytes):"
    for (name in section) printf "%12d  %s\n", section[name], name | "sort -rn | head -n " lines
    close("sort -rn | head -n " lines)
    print "archives and objects (bytes of their sections):"
    for (owner in owners) printf "%12d  %s\n", owners[owner], owner | "sort -rn | head -n " lines
  }
' "$map"
