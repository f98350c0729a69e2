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
if [ ! -x "$program" ]; then
  echo "autorun.sh: $program cannot be run: the medium must be mounted with execute permission" >&2
  exit 1
fi
# The kit carries its own Qt plugins: another Qt's, named by the environment, would not fit.
unset QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH
# It shows its window through X11, also on Wayland desktops (through Xwayland), where the
# environment may ask Qt for a Wayland plugin the kit does not have.
case ${QT_QPA_PLATFORM-} in
  xcb* | offscreen*) ;;
  *) QT_QPA_PLATFORM=xcb && export QT_QPA_PLATFORM ;;
esac
exec "$program" /TEST "$root"
