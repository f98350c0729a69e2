#!/bin/sh
# Demo run file, "Tidepool Feed Reader 1.1 setup": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
# Through sh: on a medium mounted without execute bits the note script cannot run by itself.
exec sh "$here/../../tools/show-note.sh" "Tidepool Feed Reader 1.1 setup" \
    "This is a demo disc: Tidepool would be installed now. Nothing was changed." \
    "$here/readme.txt"
