#!/bin/sh
# Writes the RTF fixtures in golden/ with real RTF writers from Debian's packages
# (libreoffice-writer, abiword, pandoc) and takes each expected text from the same writer's own
# text export, normalised by normalise-expected.py where the text export follows another
# convention than an RTF reader's text (see that script for each rule).
# Run from anywhere; needs soffice, abiword, pandoc and python3.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/sources"
out="$here/golden"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
profile="file://$work/lo-profile"
cp "$src"/* "$work"/
cd "$work"

lo() { soffice -env:UserInstallation="$profile" --headless --infilter="HTML (StarWriter)" "$@" >/dev/null 2>&1; }

# LibreOffice Writer
lo --convert-to 'rtf:Rich Text Format' features.html
lo --convert-to 'txt:Text (encoded):UTF8' features.html
cp features.rtf "$out/libreoffice-features.rtf"
python3 "$here/normalise-expected.py" libreoffice features.txt "$out/libreoffice-features.expected.txt"
lo --convert-to 'rtf:Rich Text Format' picture.html
lo --convert-to 'txt:Text (encoded):UTF8' picture.html
cp picture.rtf "$out/libreoffice-picture.rtf"
python3 "$here/normalise-expected.py" libreoffice picture.txt "$out/libreoffice-picture.expected.txt"

# AbiWord
abiword --to=rtf -o abiword-features.rtf features.html
abiword --to=txt -o abiword-features.txt features.html
cp abiword-features.rtf "$out/abiword-features.rtf"
python3 "$here/normalise-expected.py" abiword abiword-features.txt "$out/abiword-features.expected.txt"

# pandoc
pandoc -s features.md -t rtf -o pandoc-features.rtf
pandoc features.md -t plain --wrap=none -o pandoc-features.txt
cp pandoc-features.rtf "$out/pandoc-features.rtf"
python3 "$here/normalise-expected.py" pandoc pandoc-features.txt "$out/pandoc-features.expected.txt"
