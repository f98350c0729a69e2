#!/bin/sh
# Demo run file, "Lumen Photo Viewer 0.9 setup": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
# Through sh: on a medium mounted without execute bits the note script cannot run by itself.
exec sh "$here/../../tools/show-note.sh" "Lumen Photo Viewer 0.9 setup" \
    "This is a demo disc: Lumen would be installed now. Nothing was changed." \
    "$here/readme.txt"
