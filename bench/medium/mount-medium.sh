#!/usr/bin/env bash
# Mounts SOURCE at MOUNT as a slow medium (slow-medium.py beside this script, which see for the
# options) in the background, and returns once MOUNT shows SOURCE's files. Unmount with
# `umount MOUNT`; the medium's process then ends by itself.
#   bench/medium/mount-medium.sh SOURCE MOUNT [slow-medium.py options...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: mount-medium.sh SOURCE MOUNT [options...]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source_folder=$1
mount_point=$2
[ -e /dev/fuse ] || { echo "mount-medium.sh: no /dev/fuse on this machine" >&2; exit 3; }
mkdir -p "$mount_point"
log=$(mktemp)
setsid "$here/slow-medium.py" "$@" >"$log" 2>&1 </dev/null &
for _ in $(seq 100); do
  if mountpoint -q "$mount_point"; then
    rm -f "$log"
    exit 0
  fi
  if ! kill -0 $! 2>/dev/null; then
    break
  fi
  sleep 0.1
done
echo "mount-medium.sh: $mount_point could not be mounted:" >&2
cat "$log" >&2
rm -f "$log"
exit 1
