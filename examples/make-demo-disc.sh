#!/usr/bin/env bash
# Writes the generated files of the demo disc from the sources in examples/sources/:
#   - RTF descriptions, about.rtf and help.rtf: Markdown -> HTML (pandoc) -> RTF (LibreOffice)
#   - the PDF manual of one package: Markdown -> HTML -> PDF (LibreOffice)
#   - BMP and JPEG preview pictures (ImageMagick)
# The results are committed; run this again after editing a source.
# Needs: pandoc, soffice (LibreOffice Writer), convert (ImageMagick 6), the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A profile of our own, so that a LibreOffice already running elsewhere does not interfere.
profile="file://$work/profile"

to_html() { # markdown file, html file
    pandoc --from markdown --to html5 --standalone --template sources/template.html \
        --metadata pagetitle="$(basename "$1" .md)" --output "$2" "$1"
}

to_rtf() { # output folder, html files...
    local outdir=$1
    shift
    soffice -env:UserInstallation="$profile" --headless --infilter="HTML (StarWriter)" \
        --convert-to 'rtf:Rich Text Format' --outdir "$outdir" "$@" >/dev/null
}

# Descriptions: sources/descriptions/<package>.md -> disc/packages/<package>/description.rtf
mkdir -p "$work/descriptions"
for source in sources/descriptions/*.md; do
    to_html "$source" "$work/descriptions/$(basename "$source" .md).html"
done
to_rtf "$work/descriptions" "$work"/descriptions/*.html
for rtf in "$work"/descriptions/*.rtf; do
    cp "$rtf" "disc/packages/$(basename "$rtf" .rtf)/description.rtf"
done

# The program's own help and about texts.
mkdir -p "$work/program"
for source in sources/program/*.md; do
    to_html "$source" "$work/program/$(basename "$source" .md).html"
done
to_rtf "$work/program" "$work"/program/*.html
cp "$work"/program/*.rtf program/

# A document opened by its association: the PDF manual of Pixelbrook Paint.
pandoc --from markdown --to html5 --standalone --metadata pagetitle="Pixelbrook Paint manual" \
    --output "$work/pixelbrook-manual.html" sources/documents/pixelbrook-manual.md
soffice -env:UserInstallation="$profile" --headless --infilter="HTML (StarWriter)" \
    --convert-to 'pdf:writer_pdf_Export' --outdir "$work" "$work/pixelbrook-manual.html" >/dev/null
cp "$work/pixelbrook-manual.pdf" disc/packages/pixelbrook/manual.pdf

# Preview pictures: a mock-up of each program's window.
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

window() { # width height accent title -> window frame drawing options
    local w=$1 h=$2 accent=$3 title=$4
    printf '%s\n' -size "${w}x${h}" xc:'#ececec' \
        -fill "$accent" -draw "rectangle 0,0 $((w - 1)),21" \
        -fill '#ffffff' -font "$bold" -pointsize 11 -annotate +8+15 "$title" \
        -fill '#ffffff' -draw "rectangle $((w - 18)),5 $((w - 7)),15"
}

jpeg() { # package, convert options...
    local package=$1
    shift
    convert "$@" -strip -quality 82 "disc/packages/$package/preview.jpg"
}

bmp() { # package, convert options...: an 8-bit palette BMP as older discs carry
    local package=$1
    shift
    convert "$@" -strip -dither None -colors 64 -type Palette -compress None \
        "BMP3:disc/packages/$package/preview.bmp"
}

mapfile -t frame < <(window 320 200 '#2d5d8a' 'Inkwell Notes')
jpeg inkwell "${frame[@]}" \
    -fill '#d5dde6' -draw 'rectangle 0,22 90,199' \
    -fill '#2d5d8a' -font "$font" -pointsize 10 \
    -annotate +8+40 'Notebooks' -annotate +14+58 'Work' -annotate +14+74 'Garden' \
    -annotate +14+90 'Recipes' \
    -fill '#222222' -pointsize 11 -annotate +104+42 '▾ Garden plan 2024' \
    -annotate +118+60 '▸ Seeds to order' -annotate +118+78 '▾ Vegetable beds' \
    -annotate +134+96 '☐ tomatoes, beans' -annotate +134+114 '☑ compost turned' \
    -annotate +118+132 '▸ Tools' -annotate +104+152 '▸ Reading list'

mapfile -t frame < <(window 256 160 '#3f7d3a' 'Tallyho - budget.ods')
bmp tallyho "${frame[@]}" \
    -stroke '#b8b8b8' -fill '#ffffff' -draw 'rectangle 6,28 249,153' \
    -draw 'line 40,28 40,153' -draw 'line 140,28 140,153' \
    -draw 'line 6,46 249,46' -draw 'line 6,64 249,64' -draw 'line 6,82 249,82' \
    -draw 'line 6,100 249,100' -draw 'line 6,118 249,118' -draw 'line 6,136 249,136' \
    -stroke none -fill '#333333' -font "$font" -pointsize 10 \
    -annotate +46+59 'Rent' -annotate +190+59 '620.00' -annotate +46+77 'Food' \
    -annotate +190+77 '310.50' -annotate +46+95 'Bus' -annotate +196+95 '49.00' \
    -fill '#3f7d3a' -annotate +46+113 'Total' -annotate +190+113 '979.50' \
    -fill '#3f7d3a' -draw 'rectangle 150,122 165,135' -fill '#8cc084' \
    -draw 'rectangle 168,128 183,135' -fill '#c6e0c0' -draw 'rectangle 186,131 201,135'

mapfile -t frame < <(window 320 200 '#303030' 'Lumen - lake.jpg')
jpeg lumen "${frame[@]}" -fill '#1c1c1c' -draw 'rectangle 0,22 319,199' \
    \( -size 280x150 gradient:'#6fa8dc'-'#f6e7c8' \) -geometry +20+32 -composite \
    -fill '#fff3b0' -draw 'circle 240,70 240,84' \
    -fill '#5b7f4a' -draw 'polygon 20,130 70,95 120,118 170,88 230,120 300,100 300,150 20,150' \
    -fill '#3d5f36' -draw 'polygon 20,150 90,122 160,140 230,126 300,142 300,160 20,160' \
    -fill '#4f86b8' -draw 'rectangle 20,160 299,181' -fill '#8fbde0' \
    -draw 'rectangle 60,166 130,167' -draw 'rectangle 180,172 260,173' \
    -fill '#dddddd' -font "$font" -pointsize 10 -annotate +20+196 '12 / 48    4032 × 3024'

mapfile -t frame < <(window 256 160 '#8a3d8a' 'Pixelbrook Paint')
bmp pixelbrook "${frame[@]}" \
    -fill '#d8d8d8' -draw 'rectangle 0,22 34,159' \
    -fill '#e63946' -draw 'rectangle 6,28 16,38' -fill '#f4a261' -draw 'rectangle 18,28 28,38' \
    -fill '#2a9d8f' -draw 'rectangle 6,40 16,50' -fill '#264653' -draw 'rectangle 18,40 28,50' \
    -fill '#e9c46a' -draw 'rectangle 6,52 16,62' -fill '#ffffff' -draw 'rectangle 18,52 28,62' \
    -fill '#ffffff' -draw 'rectangle 60,30 220,150' \
    -fill '#e63946' -draw 'rectangle 110,60 170,80' -draw 'rectangle 100,70 180,100' \
    -fill '#264653' -draw 'rectangle 120,70 130,80' -draw 'rectangle 150,70 160,80' \
    -fill '#f4a261' -draw 'rectangle 110,100 170,120' -fill '#2a9d8f' \
    -draw 'rectangle 100,120 120,140' -draw 'rectangle 160,120 180,140'

mapfile -t frame < <(window 320 200 '#6b4226' 'Orbital Chess')
jpeg orbital "${frame[@]}" -fill '#f3e6cf' -draw 'rectangle 0,22 319,199' \
    -stroke '#6b4226' -strokewidth 2 -fill '#c89b6d' -draw 'circle 160,110 160,26' \
    -fill '#f3e6cf' -draw 'circle 160,110 160,48' -fill '#c89b6d' -draw 'circle 160,110 160,70' \
    -fill '#f3e6cf' -draw 'circle 160,110 160,92' \
    -draw 'line 160,26 160,194' -draw 'line 76,110 244,110' \
    -draw 'line 101,51 219,169' -draw 'line 219,51 101,169' -stroke none \
    -fill '#222222' -font "$bold" -pointsize 16 -annotate +196+66 '♜' -annotate +112+164 '♞' \
    -fill '#ffffff' -stroke '#222222' -strokewidth 1 -annotate +150+40 '♛' -stroke none

mapfile -t frame < <(window 256 160 '#1d5c7a' 'Marble Drop - level 12')
bmp marbledrop "${frame[@]}" -fill '#d9eef7' -draw 'rectangle 0,22 255,159' \
    -stroke '#1d5c7a' -strokewidth 4 -draw 'line 20,40 120,40' -draw 'line 150,40 236,40' \
    -draw 'line 20,40 20,150' -draw 'line 236,40 236,150' -draw 'line 60,80 200,80' \
    -draw 'line 20,120 160,120' -draw 'line 20,150 236,150' -stroke none \
    -fill '#e63946' -draw 'circle 135,52 135,60' -fill '#f4a261' -draw 'circle 90,100 90,107' \
    -fill '#ffd23f' -draw 'circle 215,135 215,142' -fill '#2a9d8f' -draw 'circle 40,135 40,141'

mapfile -t frame < <(window 320 200 '#c2410c' 'Wordfall')
jpeg wordfall "${frame[@]}" -fill '#fff7ed' -draw 'rectangle 0,22 319,199' \
    -fill '#c2410c' -font "$bold" -pointsize 22 \
    -annotate +40+60 'Q' -annotate +120+48 'U' -annotate +210+80 'I' -annotate +260+55 'L' \
    -fill '#9a3412' -annotate +70+120 'L' -annotate +160+110 'O' \
    -fill '#7c2d12' -draw 'rectangle 10,160 309,195' -fill '#fff7ed' -pointsize 18 \
    -annotate +20+185 'M  A  T  E  S  W  O  R  D' \
    -font "$font" -pointsize 11 -fill '#7c2d12' -annotate +236+150 'score 1250'

mapfile -t frame < <(window 256 160 '#4b5563' 'Zipline - disc-backup.7z')
bmp zipline "${frame[@]}" -fill '#ffffff' -draw 'rectangle 6,28 249,153' \
    -fill '#dbe4f0' -draw 'rectangle 6,28 249,44' \
    -fill '#333333' -font "$font" -pointsize 10 -annotate +12+40 'Name' -annotate +180+40 'Size' \
    -fill '#e9b949' -draw 'rectangle 12,52 24,62' -draw 'rectangle 12,70 24,80' \
    -fill '#7aa2d6' -draw 'rectangle 12,88 24,98' -draw 'rectangle 12,106 24,116' \
    -draw 'rectangle 12,124 24,134' \
    -fill '#333333' -annotate +30+61 'photos/' -annotate +30+79 'letters/' \
    -annotate +30+97 'notes.txt' -annotate +180+97 '14 KB' -annotate +30+115 'budget.ods' \
    -annotate +180+115 '36 KB' -annotate +30+133 'music.flac' -annotate +180+133 '28 MB'

mapfile -t frame < <(window 320 200 '#0f766e' 'Clockwork Backup')
jpeg clockwork "${frame[@]}" -fill '#f0fdfa' -draw 'rectangle 0,22 319,199' \
    -stroke '#0f766e' -strokewidth 4 -fill '#ffffff' -draw 'circle 100,110 100,40' \
    -strokewidth 3 -draw 'line 100,110 100,62' -draw 'line 100,110 140,122' -stroke none \
    -fill '#0f766e' -draw 'circle 100,110 100,104' \
    -font "$font" -pointsize 11 -fill '#134e4a' -annotate +190+70 'Last backup' \
    -font "$bold" -pointsize 14 -annotate +190+90 '10:00' \
    -font "$font" -pointsize 11 -annotate +190+120 'Next backup' \
    -font "$bold" -pointsize 14 -annotate +190+140 '11:00' \
    -fill '#5eead4' -draw 'rectangle 190,160 300,170' -fill '#0f766e' -draw 'rectangle 190,160 262,170'

mapfile -t frame < <(window 256 160 '#7a4a1d' 'Netsparrow Mail')
bmp netsparrow "${frame[@]}" -fill '#f5efe6' -draw 'rectangle 0,22 70,159' \
    -fill '#7a4a1d' -font "$font" -pointsize 10 -annotate +8+40 'Inbox (3)' \
    -annotate +8+56 'Sent' -annotate +8+72 'Drafts' -annotate +8+88 'Archive' \
    -fill '#ffffff' -draw 'rectangle 71,22 255,159' -fill '#fde7c8' -draw 'rectangle 71,28 255,44' \
    -fill '#333333' -font "$bold" -annotate +78+40 'Club meeting on Friday' \
    -font "$font" -annotate +78+58 'Re: photos from the trip' -annotate +78+76 'Your order has shipped' \
    -annotate +78+94 'Weekly garden newsletter' -fill '#999999' -annotate +78+112 'Welcome to Netsparrow'

mapfile -t frame < <(window 320 200 '#1e40af' 'Tidepool')
jpeg tidepool "${frame[@]}" -fill '#eff6ff' -draw 'rectangle 0,22 319,199' \
    -fill '#ffffff' -stroke '#bfdbfe' -draw 'roundrectangle 10,32 155,110 6,6' \
    -draw 'roundrectangle 165,32 310,110 6,6' -draw 'roundrectangle 10,118 155,192 6,6' \
    -draw 'roundrectangle 165,118 310,192 6,6' -stroke none \
    -fill '#1e40af' -font "$bold" -pointsize 10 -annotate +18+50 'Tide tables for May' \
    -annotate +173+50 'New bridge opens' -annotate +18+136 'Seal pups counted' \
    -annotate +173+136 'Recipe: fish soup' \
    -fill '#94a3b8' -draw 'rectangle 18,60 140,64' -draw 'rectangle 18,70 120,74' \
    -draw 'rectangle 173,60 295,64' -draw 'rectangle 173,70 270,74' \
    -draw 'rectangle 18,146 140,150' -draw 'rectangle 173,146 290,150'

mapfile -t frame < <(window 256 160 '#334155' 'Sextant')
bmp sextant "${frame[@]}" -fill '#f8fafc' -draw 'rectangle 0,22 255,159' \
    -fill '#ffffff' -stroke '#94a3b8' -draw 'rectangle 12,34 243,58' -stroke none \
    -fill '#334155' -font "$font" -pointsize 12 -annotate +20+51 '3 nmi in km' \
    -font "$bold" -pointsize 20 -annotate +20+96 '= 5.556 km' \
    -font "$font" -pointsize 10 -fill '#64748b' -annotate +20+124 '1 nautical mile = 1852 m' \
    -annotate +20+140 'exact, by international agreement (1929)'

mapfile -t frame < <(window 320 200 '#15803d' 'Würfelbecher')
jpeg wuerfel "${frame[@]}" -fill '#14532d' -draw 'rectangle 0,22 319,199' \
    -fill '#ffffff' -stroke '#0a2e18' -strokewidth 2 \
    -draw 'roundrectangle 40,60 110,130 10,10' -draw 'roundrectangle 130,50 200,120 10,10' \
    -draw 'roundrectangle 220,70 290,140 10,10' -stroke none -fill '#111111' \
    -draw 'circle 75,95 75,101' \
    -draw 'circle 148,68 148,74' -draw 'circle 165,85 165,91' -draw 'circle 182,102 182,108' \
    -draw 'circle 238,88 238,94' -draw 'circle 272,88 272,94' -draw 'circle 238,122 238,128' \
    -draw 'circle 272,122 272,128' -draw 'circle 238,105 238,111' -draw 'circle 272,105 272,111' \
    -fill '#ffffff' -font "$bold" -pointsize 14 -annotate +110+180 'Summe: 10'

echo "demo disc written"
