#!/usr/bin/env bash
# Draws background.bmp of the "tidewater" skin (720 x 440, 24-bit BMP) with ImageMagick 6 and
# the DejaVu fonts. The panels lie where qmskin.ini puts the controls; their fill is the
# controls' fill colour (#0A1A2E, written $2E1A0A in the skin file). Run it again after moving a
# control in qmskin.ini, and commit the result.
set -euo pipefail
cd "$(dirname "$0")"

serif=/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf
sans=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
panel='#0A1A2E'
edge='#3F7EA6'
label='#8CC4E0'

convert -size 720x440 gradient:'#12406A-#061526' \
    -fill none -stroke '#1E5A86' -strokewidth 2 \
    -draw "bezier 0,300 180,250 360,350 720,280" \
    -draw "bezier 0,340 200,290 420,390 720,320" \
    -stroke '#17496F' \
    -draw "bezier 0,380 220,330 460,430 720,360" \
    -draw "bezier 0,120 240,60 480,160 720,90" \
    -stroke "$edge" -strokewidth 1 -fill "$panel" \
    -draw "roundrectangle 26,62 276,392 10,10" \
    -draw "roundrectangle 288,62 692,392 10,10" \
    -draw "roundrectangle 602,12 688,40 12,12" \
    -stroke none -fill '#12304E' \
    -draw "rectangle 292,90 295,340" \
    -fill "$label" -font "$sans" -pointsize 10 \
    -draw "text 38,82 'SORT BY'" \
    -draw "text 38,126 'FILTER'" \
    -draw "text 300,82 'DESCRIPTION'" \
    -fill '#E8F4FA' -font "$serif" -pointsize 30 \
    -draw "text 40,46 'Quillomat'" \
    -fill "$label" -font "$sans" -pointsize 9 \
    -draw "text 470,420 'tidewater skin  ·  press F5 to reread'" \
    -type TrueColor BMP3:background.bmp
