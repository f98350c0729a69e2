#!/usr/bin/env bash
# The program writes nothing: runs its start-up, and a driver that goes through its main user
# actions, under strace and fails on any file opened for writing, created, renamed, removed or
# changed in its attributes.
#   check-writes.sh <quillomat> <quillomat-actions-driver> <examples folder>
#
# What counts as the program's: every call of the process and its threads, whoever in the
# process makes it (our code, Qt, GLib, fontconfig), with one exception: the caches that system
# libraries keep for the user under $XDG_CACHE_HOME (fontconfig's font cache, for instance) and
# the sockets and files under $XDG_RUNTIME_DIR. Both point into a scratch folder here. Anything
# else, in the home folder, the configuration folders, the disc, the program folder or /tmp,
# fails the test, whether or not the call succeeded.
set -euo pipefail
program=$(realpath "$1")
driver=$(realpath "$2")
examples=$(realpath "$3")

command -v strace >/dev/null || { echo "strace is not installed: skipped"; exit 77; }
strace -o /dev/null true 2>/dev/null || { echo "this system does not allow tracing: skipped"; exit 77; }
# In the sanitizer build: LeakSanitizer cannot run under strace (both use ptrace); leaks are
# the leak check's business.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/cache" "$work/config" "$work/data" "$work/cwd" "$work/program"
mkdir -m 700 "$work/runtime"

# The program's folder as a user has it: the executable beside its files. Its language file
# keeps only the first language, because the program run has nobody to answer the chooser (the
# driver answers it).
cp "$program" "$examples/program/quillomat.qmf" "$examples/program/about.rtf" \
  "$examples/program/help.rtf" "$work/program/"
awk '/^\[/ { sections++ } sections < 2' "$examples/program/lang.ini" >"$work/program/lang.ini"
# A self-contained program folder (the disc kit) carries its libraries, and plugins where Qt
# is not linked in: the copy finds them beside itself, as the original does.
for part in lib plugins qt.conf; do
  if [ -e "$(dirname "$program")/$part" ]; then
    ln -s "$(dirname "$program")/$part" "$work/program/$part"
  fi
done
disc=$(cd "$examples/disc" && pwd)

watched=open,openat,openat2,creat,truncate,rename,renameat,renameat2,unlink,unlinkat,rmdir,mkdir,mkdirat,link,linkat,symlink,symlinkat,chmod,fchmodat,chown,fchownat,lchown,utime,utimes,utimensat,mknod,mknodat

run_watched() {
  local name=$1
  shift
  (cd "$work/cwd" &&
    env -i PATH="$PATH" HOME="$work/home" XDG_CACHE_HOME="$work/cache" \
      XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
      QT_QPA_PLATFORM=offscreen QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 ASAN_OPTIONS="$ASAN_OPTIONS" \
      ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} \
      timeout 300 strace -f -qq -y -s 4096 -e trace="$watched" -o "$work/$name.trace" "$@") \
    >"$work/$name.log" 2>&1 || {
    echo "FAIL: $name did not run to its end:"
    cat "$work/$name.log"
    exit 1
  }
}

# Prints the calls of a trace that change the file system outside the allowed folders.
writes_in() {
  local line path
  while IFS= read -r line; do
    # Signals and exits are not calls.
    [[ $line =~ ^[0-9]+\ +[a-z0-9_]+\( ]] || continue
    case "$line" in
      *' open('* | *' openat('* | *' openat2('*)
        # Read-only opens are fine; anything that may write or create is not.
        [[ $line =~ O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND|O_TMPFILE ]] || continue ;;
      *' resumed>'*) continue ;; # the first half of the line carried the arguments
      # A call newer than this strace (cachestat, asking what is in memory) shows by number and
      # is traced whatever the filter; every watched call has a name strace knows.
      *' syscall_0x'*) continue ;;
    esac
    # The first path in the call: a quoted name, made absolute by a directory descriptor
    # that strace -y shows as 3</some/folder>.
    path=
    if [[ $line =~ \((AT_FDCWD|[0-9]+)\<([^>]*)\>,\ \"([^\"]*)\" ]]; then
      path=${BASH_REMATCH[3]}
      [[ $path == /* ]] || path=${BASH_REMATCH[2]}/$path
    elif [[ $line =~ \"([^\"]*)\" ]]; then
      path=${BASH_REMATCH[1]}
      [[ $path == /* ]] || path=$work/cwd/$path
    fi
    case "$path" in
      "$work/cache" | "$work/cache"/* | "$work/runtime" | "$work/runtime"/* | /dev/null | /dev/tty | /dev/pts/*) continue ;;
    esac
    printf '%s\n' "$line"
  done <"$1"
}

status=0
check() {
  local name=$1 read_file found
  # The watch must have seen the files the run reads, or it watched nothing.
  shift
  for read_file in "$@"; do
    if ! grep -q "$read_file" "$work/$name.trace"; then
      echo "FAIL: $name never opened $read_file: the trace is not what it should be"
      status=1
    fi
  done
  found=$(writes_in "$work/$name.trace")
  if [ -n "$found" ]; then
    echo "FAIL: $name wrote to the file system:"
    printf '%s\n' "$found"
    status=1
  else
    echo "ok: $name opened nothing for writing ($(wc -l <"$work/$name.trace") watched calls)"
  fi
}

run_watched program "$work/program/$(basename "$program")" /TEST "$disc"
check program quillomat.qmf lang.ini about.rtf
run_watched actions "$driver" "$examples/program" "$disc"
check actions quillomat.qmf help.rtf description.rtf preview.jpg preview.bmp
exit $status
