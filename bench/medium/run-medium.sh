#!/bin/sh
# The window on a CD (bench/medium's cd model: 3.6 MB/s, 100 ms a seek, files laid out on one
# track as on a mastered disc) with the demo disc scaled to 200 packages of 8 KB descriptions.
# The window program runs from the medium, on a fresh mount each time (a cold drive); every
# description the pane shows is read from the medium again (each open drops the file's cached
# pages), so that each selection costs a real read:
#  1. with its own file read into memory after the first paint, as the program does;
#  2. without, to show what that costs the first paint and the first description.
# Each prints: selection to description (goal: the medium's own read + 50 ms), the longest time
# the GUI thread was busy while moving through the list (goal under 50 ms), and a first search
# 10 s after the first paint (goal under 1 s). Needs root and /dev/fuse.
#   bench/medium/run-medium.sh [BUILD_DIR]   (default: build)
set -eu
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
[ -e /dev/fuse ] || { echo "run-medium.sh: no /dev/fuse on this machine: nothing measured"; exit 0; }
cmake --build "$build" --target quillomat-bench-window-medium quillomat-bench-make-disc >/dev/null
work=$(mktemp -d /tmp/quillomat-bench-medium.XXXXXX)
mount_point="$work/medium"
trap 'umount "$mount_point" 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/bin/quillomat-bench-make-disc" "$work/disc" 200 --text-bytes 8192 >/dev/null
sed -i "s|^CDFolder=.*|CDFolder=$mount_point\r|" "$work/disc/quillomat.qmf"
printf '[English]\r\nSearch=search...\r\n' > "$work/disc/lang.ini"
cp "$build/bin/quillomat-bench-window-medium" "$work/disc/"
echo "load: $(uptime)"
echo "200 packages, $(du -sk "$work/disc/texts" | cut -f1) KB of descriptions, on the cd model"
for variant in "" --no-resident; do
  "$here/mount-medium.sh" "$work/disc" "$mount_point" --model cd --track --drop-cache-on-open \
    --stats "$work/stats.json"
  QT_QPA_PLATFORM=offscreen QUILLOMAT_REPORT_RESIDENT=1 \
    "$mount_point/quillomat-bench-window-medium" "$mount_point" "$work/stats.json" zeppelin \
    $variant \
    2>&1 | grep -v '^qt\.'
  echo "    the medium: $(cat "$work/stats.json")"
  umount "$mount_point"
  sleep 0.5
done
