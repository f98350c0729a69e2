#!/usr/bin/env python3
"""Turns a writer's own text export into the text an RTF reader gives for the writer's RTF.

Only conventions of the text exports are changed; every rule says which and why. The reader's
conventions: a paragraph ends in a newline; list labels are the \\listtext (or \\pntext) of the
RTF, which writers end with a tab; table cells are separated by tabs and a row ends in a newline.

usage: normalise-expected.py WRITER EXPORT.txt EXPECTED.txt
"""
import re
import sys

writer, source, target = sys.argv[1:4]
text = open(source, encoding="utf-8").read()
if text.startswith("\ufeff"):
    text = text[1:]  # LibreOffice starts its UTF-8 export with a byte-order mark
lines = text.split("\n")


def join_table(lines, first, columns, rows):
    """Cells that the export puts on lines of their own, joined into rows."""
    cells = lines[first:first + columns * rows]
    joined = ["\t".join(cells[r * columns:(r + 1) * columns]) for r in range(rows)]
    return lines[:first] + joined + lines[first + columns * rows:]


if writer == "libreoffice":
    # The export indents list items by four spaces and follows the label with a space; the RTF
    # has the label in \listtext followed by \tab, numbers written as " 1.".
    lines = [re.sub(r"^    (•) ", "\\1\t", l) for l in lines]
    lines = [re.sub(r"^    (\d+\.) ", " \\1\t", l) for l in lines]
    # The export writes each table cell on a line of its own.
    if "Name" in lines:
        lines = join_table(lines, lines.index("Name"), 3, 3)
elif writer == "abiword":
    # The export puts an empty line after a heading, which is no paragraph of the document.
    if len(lines) > 1 and lines[1] == "":
        del lines[1]
    # The export leaves list labels out; the RTF's \listtext holds \bullet for bullets and a
    # space for numbered items (AbiWord writes no numbers there).
    # In sources/features.html the bulleted items are the ones named "... bullet".
    lines = [("•" if "bullet" in l else " ") + l if l.startswith("\t") else l for l in lines]
    if "Name" in lines:
        first = lines.index("Name")
        lines = join_table(lines, first, 3, 3)
        # The RTF closes the table with a paragraph mark of its own: an empty paragraph.
        lines.insert(first + 3, "")
elif writer == "pandoc":
    # The plain writer separates blocks by empty lines, which are no paragraphs; it marks list
    # items with "-   " and "1.  " where the RTF writer has \bullet or the number and a tab.
    out = []
    for l in lines:
        if l == "":
            continue
        l = re.sub(r"^-   ", "•\t", l)
        l = re.sub(r"^(\d+\.)  ", "\\1\t", l)
        out.append(l)
    lines = out
    # Tables are drawn with spaces and a rule; the RTF writer follows a table with an empty
    # paragraph.
    result = []
    in_table = False
    for l in lines:
        if re.match(r"^  -+( +-+)+$", l):
            continue
        if l.startswith("  "):
            in_table = True
            result.append("\t".join(re.split(r" {2,}", l.strip())))
            continue
        if in_table:
            result.append("")
            in_table = False
        result.append(l)
    lines = result + [""]
else:
    sys.exit("unknown writer " + writer)

open(target, "w", encoding="utf-8", newline="\n").write("\n".join(lines))
