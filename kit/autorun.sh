#!/bin/sh
# Starts the menu of this medium. A desktop that offers to run a medium's software when it is
# inserted runs this file with the medium's root as the current folder; it may also be run by
# hand from anywhere. The medium's root is this file's folder, and nothing of the host's is used.
case $0 in
  */*) root=${0%/*} ;;
  *) root=. ;;
esac
root=$(cd -P -- "$root" && pwd -P) || exit 1
program=$root/quillomat/quillomat

# One unsigned number of SIZE bytes at OFFSET in FILE, in this machine's byte order (the program
# is built for it).
number() {
  od -An -tu"$3" -j "$2" -N "$3" -- "$1" | tr -d ' '
}

# The loader (ELF interpreter) that PROGRAM names in its program headers; nothing when it names
# none or is no ELF file.
interpreter() {
  [ "$(od -An -c -N 4 -- "$1" | tr -d ' ')" = '177ELF' ] || return 0
  case $(number "$1" 4 1) in
    1) words=4 headers=$(number "$1" 28 4) size=$(number "$1" 42 2) count=$(number "$1" 44 2) ;;
    2) words=8 headers=$(number "$1" 32 8) size=$(number "$1" 54 2) count=$(number "$1" 56 2) ;;
    *) return 0 ;;
  esac
  while [ "${count:-0}" -gt 0 ]; do
    if [ "$(number "$1" "$headers" 4)" = 3 ]; then # PT_INTERP
      # p_offset and p_filesz; the name ends in a NUL byte.
      offset=$(number "$1" $((headers + words)) "$words")
      length=$(number "$1" $((headers + 4 * words)) "$words")
      dd if="$1" bs=1 skip="$offset" count=$((length - 1)) 2>/dev/null
      return 0
    fi
    headers=$((headers + size))
    count=$((count - 1))
  done
}

# A medium mounted without execute bits (a FAT stick mounted with showexec, a disc without Rock
# Ridge with mode=0400) still lets the host's loader map the program: it starts through the
# loader, with the kit's libraries ahead of any the environment names. Only a noexec mount
# forbids even that.
if [ -x "$program" ]; then
  set -- "$program"
else
  loader=$(interpreter "$program")
  if [ -z "$loader" ] || [ ! -x "$loader" ] || ! "$loader" --verify "$program" >/dev/null 2>&1; then
    echo "autorun.sh: $program cannot be run: the medium is mounted without permission to run programs (noexec); mount it again with execute permission, or copy the medium to a folder and run autorun.sh there" >&2
    exit 1
  fi
  set -- "$loader" --library-path "$root/quillomat/lib" "$program"
fi
# From a CD every read that does not continue the previous one costs a seek (about a tenth of a
# second), and the loader's page faults in the program and its libraries would cost hundreds of
# them. Read through first, file by file in the order they lie on the medium, they cost one
# seek each and stay in memory for the start. Of the program, only the parts that its start
# reads (quillomat/preread lists them, in 128 KiB blocks), where the kit lists them. ICU's data
# (31 MB, of which the start touches little) is left to the page faults.
preread() {
  set --
  if [ -f "$root/quillomat/preread" ]; then
    while read -r first count; do
      dd if="$program" bs=131072 skip="$first" count="$count" 2>/dev/null
    done <"$root/quillomat/preread" >/dev/null
  else
    set -- "$program"
  fi
  for file in "$root"/quillomat/lib/* "$root"/quillomat/plugins/*/*; do
    case $file in
      */libicudata.*) ;;
      *) [ -f "$file" ] && set -- "$@" "$file" ;;
    esac
  done
  [ $# -eq 0 ] || cat -- "$@" >/dev/null 2>&1
}
preread
# The kit carries its own Qt plugins: another Qt's, named by the environment, would not fit.
unset QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
# It shows its window through X11, also on Wayland desktops (through Xwayland), where the
# environment may ask Qt for a Wayland plugin the kit does not have.
case ${QT_QPA_PLATFORM-} in
  xcb* | offscreen*) ;;
  *) QT_QPA_PLATFORM=xcb && export QT_QPA_PLATFORM ;;
esac
exec "$@" /TEST "$root"
