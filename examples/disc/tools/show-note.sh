#!/bin/sh
# Shows a short note for a demo package instead of installing anything:
# a desktop dialog where one is available, otherwise the package's read-me file.
# Usage: show-note.sh TITLE TEXT [READ-ME FILE]
title=$1
text=$2
readme=${3:-}

printf '%s\n\n%s\n' "$title" "$text"

if command -v zenity >/dev/null 2>&1; then
    zenity --info --title="$title" --text="$text" --no-wrap && exit 0
fi
if command -v kdialog >/dev/null 2>&1; then
    kdialog --title "$title" --msgbox "$text" && exit 0
fi
if command -v xmessage >/dev/null 2>&1; then
    xmessage -center "$title: $text" && exit 0
fi
if [ -n "$readme" ] && command -v xdg-open >/dev/null 2>&1; then
    exec xdg-open "$readme"
fi
exit 0
