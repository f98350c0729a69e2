#!/usr/bin/env bash
# The window over a slow medium: tests/app/tst_slowmedium runs from a FUSE medium with one read
# head (bench/medium/), which stalls, fails reads and is finally pulled out while the test runs
# from it. Needs root and /dev/fuse; without them it says so and skips.
#   scripts/ci-medium.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -e /dev/fuse ] || [ "$(id -u)" != 0 ]; then
  echo "ci-medium.sh: SKIPPED, the slow-medium tests need root and /dev/fuse (this machine has" \
       "$( [ -e /dev/fuse ] && echo "/dev/fuse but is not root" || echo "no /dev/fuse")"
  exit 0
fi
cmake --build "$build" --target tst_slowmedium
work=$(mktemp -d /tmp/quillomat-medium.XXXXXX)
mount_point="$work/medium"
cleanup() {
  umount "$mount_point" 2>/dev/null || umount -l "$mount_point" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
QT_QPA_PLATFORM=offscreen "$build/tests/tst_slowmedium" --write-disc "$work/disc"
cp "$build/tests/tst_slowmedium" "$work/disc/"
# A CD's bandwidth with short seeks keeps the test quick; every open reads the medium again, so
# that counted and failing reads do not hide behind the page cache.
bench/medium/mount-medium.sh "$work/disc" "$mount_point" --model cd --seek-ms 10 \
  --drop-cache-on-open --control "$work/control.json" --stats "$work/stats.json"
export QT_QPA_PLATFORM=offscreen QUILLOMAT_MEDIUM="$mount_point" \
  QUILLOMAT_MEDIUM_CONTROL="$work/control.json" QUILLOMAT_MEDIUM_STATS="$work/stats.json"
"$mount_point/tst_slowmedium"
# Most users may lock only a few megabytes: the program's file is then copied instead of
# locked. Root without the capability to lock and with no locked memory allowed is such a user.
echo '{}' > "$work/control.json" # put back in
prlimit --memlock=0:0 setpriv --bounding-set -ipc_lock \
  "$mount_point/tst_slowmedium" pulledMediumLeavesTheProgramRunning
echo "ci-medium.sh: the window answered during a stalled read, held Down read the last row only," \
     "read errors gave each action's error, the search skipped failing descriptions, and the" \
     "program ran on and exited 0 after its medium was pulled, with its file locked or copied"
