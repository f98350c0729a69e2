#!/usr/bin/env bash
# The disc kit's start from slow media: mounts a demo kit as a slow medium (slow-medium.py) and
# times process start to first paint, each run on a fresh mount so that nothing is cached.
# Prints, for every program and medium model, the seconds to the first paint (the moment the
# program writes to QUILLOMAT_FIRST_PAINT_STAMP) and to the program's end, and what the
# medium did: the seconds its head was busy (the model's cost, whatever the machine's load),
# bytes, read requests, seeks and files.
#   bench/medium/run-medium-startup.sh [BUILD] [--models "cd usb2 local"] [--display N]
#                                      [--windows BUILD_WINDOWS]
# Programs: the Linux kit on X11 (an Xvfb of its own, display :N, default 120) and offscreen;
# with --windows, quillomat.exe under Wine (Wine's own files on the local disk in a prefix of
# its own, its wineserver and desktop started before the runs, as on a Windows machine whose
# system is on its own disk). Needs root and /dev/fuse (the FUSE mount), python3-fusepy and Xvfb.
# Mounts go into a temporary folder (TMPDIR).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=build
models="cd usb2 local"
display=120
windows_build=
while [ $# -gt 0 ]; do
  case "$1" in
    --models) models=$2; shift ;;
    --display) display=$2; shift ;;
    --windows) windows_build=$(cd "$2" && pwd); shift ;;
    -*) echo "usage: run-medium-startup.sh [BUILD] [--models LIST] [--display N] [--windows BUILD]" >&2; exit 2 ;;
    *) build=$1 ;;
  esac
  shift
done
build=$(cd "$build" && pwd)
if [ ! -e /dev/fuse ]; then
  echo "skipped: this machine has no /dev/fuse, so no slow medium can be mounted"
  exit 0
fi

work=$(mktemp -d)
xvfb_pid=
mounted=
cleanup() {
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$windows_build" ] && WINEPREFIX="$work/wine" wineserver -k 2>/dev/null
  grep -qF " $work/" /proc/mounts || rm -rf "$work"
}
trap cleanup EXIT

# The medium: the demo kit, with one language so that no chooser waits for an answer.
kit=$work/kit
"$repo/scripts/make-kit.sh" "$build" "$kit" --demo ${windows_build:+--windows "$windows_build"} >/dev/null
awk '/^\[/ { sections++ } sections < 2' "$repo/examples/program/lang.ini" >"$kit/quillomat/lang.ini"

Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

if [ -n "$windows_build" ]; then
  # The server first, kept running between the runs; the prefix is made once, on the local disk.
  export WINEPREFIX=$work/wine WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  wineserver -p
  DISPLAY=":$display" wineboot -i >/dev/null 2>&1
  # Wine's first program in a new prefix also builds its caches (fonts): once from the local
  # disk, so that the runs below measure the start alone.
  DISPLAY=":$display" QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 \
    wine "$kit/quillomat/quillomat.exe" /TEST "Z:${kit//\//\\}\\" >/dev/null 2>&1 || true
  # Windows' desktop (explorer.exe) runs before any disc goes in; Wine starts its own on the
  # first window and ends it a while after the last one closes. A window kept open in the
  # background keeps it running between the runs.
  DISPLAY=":$display" wine notepad >/dev/null 2>&1 &
  sleep 2
fi

# run TARGET MODEL: one start on a fresh mount; prints one line of figures.
run() {
  local target=$1 model=$2 medium=$work/medium stats=$work/stats.json started ended status=0
  local stamp=$work/first-paint
  rm -f "$stats" "$stamp"
  "$here/mount-medium.sh" "$kit" "$medium" --model "$model" --stats "$stats"
  mounted=$medium
  started=$(date +%s.%N)
  case $target in
    x11 | offscreen)
      local platform=xcb
      [ "$target" = offscreen ] && platform=offscreen
      env -i PATH=/usr/bin:/bin HOME="$work" LANG=C.UTF-8 DISPLAY=":$display" \
        QT_QPA_PLATFORM=$platform QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 \
        QUILLOMAT_FIRST_PAINT_STAMP="$stamp" \
        sh "$medium/autorun.sh" >"$work/run.log" 2>&1 || status=$?
      ;;
    wine)
      DISPLAY=":$display" QUILLOMAT_QUIT_AFTER_FIRST_PAINT=1 \
        QUILLOMAT_FIRST_PAINT_STAMP="Z:${stamp//\//\\}" \
        wine "$medium/quillomat/quillomat.exe" /TEST "Z:${medium//\//\\}\\" >"$work/run.log" 2>&1 ||
        status=$?
      ;;
  esac
  ended=$(date +%s.%N)
  umount "$medium"
  mounted=
  if [ "$status" -ne 0 ]; then
    echo "FAIL: $target on $model exited with $status:"
    cat "$work/run.log"
    exit 1
  fi
  python3 - "$target" "$model" "$started" "$ended" "$stats" "$stamp" <<'EOF'
import json, sys
target, model, started, ended, path, stamp = sys.argv[1:]
try:
    with open(stamp) as f:
        painted = float(f.read())
except (OSError, ValueError):
    painted = float(ended)
try:
    with open(path) as f:
        s = json.load(f)
except OSError:
    s = {"bytes": 0, "requests": 0, "seeks": 0, "files": 0, "busy_s": 0}
print(f"{target:<10} {model:<6} {painted - float(started):7.2f} s {float(ended) - float(started):7.2f} s"
      f"  {s['busy_s']:6.2f} s"
      f"  {s['bytes'] / 1e6:6.1f} MB  {s['requests']:5d} requests  {s['seeks']:5d} seeks"
      f"  {s['files']:3d} files")
EOF
}

echo "program    medium  first paint, ended  medium busy, read from it"
for model in $models; do
  for target in x11 offscreen; do
    run "$target" "$model"
  done
  if [ -n "$windows_build" ]; then
    run wine "$model"
  fi
done
if [ -z "$windows_build" ]; then
  echo "skipped: quillomat.exe under Wine (give --windows BUILD_WINDOWS, a Windows build)"
fi
