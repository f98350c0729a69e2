#!/bin/sh
# Demo run file, "Inkwell Notes 2.3 setup": changes nothing on this computer, only shows a note.
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../tools/show-note.sh" "Inkwell Notes 2.3 setup" \
    "This is a demo disc: Inkwell Notes would be installed now. Nothing was changed." \
    "$here/readme.txt"
