#!/bin/sh
# Writes data/libreoffice-1mb.rtf, the LibreOffice-written input of the RTF benchmark: a long
# generated HTML document (headings, formatted paragraphs in several scripts, lists, tables)
# converted by LibreOffice Writer. Needs soffice and python3.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/bench.html" <<'PY'
import sys
words = ("setup disc package description version install program tools graphics "
         "editor archive network driver update manual").split()
parts = ['<!DOCTYPE html><html><head><meta charset="utf-8"><title>Bench</title></head><body>']
for i in range(1000):
    w = [words[(i * 7 + k) % len(words)] for k in range(12)]
    parts.append("<h2>Package %d: %s %s</h2>" % (i, w[0].title(), w[1]))
    parts.append("<p>The <b>%s</b> of this <i>%s</i> holds a %s, a %s and a "
                 "<span style=\"color:#c00000\">%s</span> for the %s. Prices from 19,99 € in "
                 "Zürich; naïve café façade.</p>" % tuple(w[2:8]))
    if i % 3 == 0:
        parts.append("<p style=\"text-align:center\">Ελληνικά και Русский текст, %s.</p>" % w[9])
    if i % 5 == 0:
        parts.append("<ul><li>%s</li><li>%s</li></ul>" % (w[10], w[11]))
    if i % 25 == 0:
        parts.append("<table border=1><tr><td>%s</td><td>%d MB</td></tr>"
                     "<tr><td>%s</td><td>%d.0</td></tr></table>" % (w[3], i, w[4], i % 9))
parts.append("</body></html>")
open(sys.argv[1], "w", encoding="utf-8").write("\n".join(parts))
PY
cd "$work"
soffice -env:UserInstallation="file://$work/profile" --headless --infilter="HTML (StarWriter)" \
    --convert-to 'rtf:Rich Text Format' bench.html >/dev/null 2>&1
cp bench.rtf "$here/data/libreoffice-1mb.rtf"
ls -l "$here/data/libreoffice-1mb.rtf"
