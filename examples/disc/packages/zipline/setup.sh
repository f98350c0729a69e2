#!/bin/sh
# Demo run file, "Zipline Archiver 4.0 setup": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
# Through sh: on a medium mounted without execute bits the note script cannot run by itself.
exec sh "$here/../../tools/show-note.sh" "Zipline Archiver 4.0 setup" \
    "This is a demo disc: Zipline would be installed now. Nothing was changed." \
    "$here/readme.txt"
