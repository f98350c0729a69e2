#!/usr/bin/env bash
# The window titles the window system receives, on a real X server: runs tst_windowtitles on a
# private Xvfb display (the test skips where no display can be reached, as under ctest's
# offscreen platform). Usage: scripts/check-window-titles.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tst_windowtitles >/dev/null

# Xvfb picks a free display number itself and writes it to the descriptor it is given.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null)
xvfb=$! # the process substitution runs Xvfb itself
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 20 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }

output=$(DISPLAY=:$display "$build/tests/tst_windowtitles" 2>&1) || { echo "$output"; exit 1; }
if grep -q SKIP <<<"$output"; then
    echo "$output"
    echo "window titles: the test skipped on the Xvfb display" >&2
    exit 1
fi
echo "window titles: the main window, the error box, the language chooser and the preview" \
     "reach the X server (_NET_WM_NAME) with their own captions, nothing appended"
