#!/bin/sh
# Demo run file, "Sextant Unit Converter": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
# Through sh: on a medium mounted without execute bits the note script cannot run by itself.
exec sh "$here/../../tools/show-note.sh" "Sextant Unit Converter" \
    "This is a demo disc: Sextant would start now. 1 nautical mile = 1.852 km." \
    "$here/readme.txt"
