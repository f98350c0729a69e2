#!/bin/sh
# Demo run file, "Orbital Chess 1.2": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
# Through sh: on a medium mounted without execute bits the note script cannot run by itself.
exec sh "$here/../../tools/show-note.sh" "Orbital Chess 1.2" \
    "This is a demo disc: Orbital Chess would start now, straight from the disc." \
    "$here/readme.txt"
