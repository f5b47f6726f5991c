#!/usr/bin/env bash
# Redraws the program's images with ImageMagick. The PNG files it writes are
# committed, so the build never needs this script or ImageMagick.
set -euo pipefail
export MAGICK_DEPTH=8
cd "$(dirname "$0")"
F=DejaVu-Sans-Bold

# Tools, 16 x 16.
convert -size 16x16 xc:none -fill white -stroke '#404040' -strokewidth 1 \
  -draw 'polygon 3,1 10,1 13,4 13,14 3,14' -fill '#c8c8c8' -draw 'polygon 10,1 10,4 13,4' \
  -stroke '#2a7d2a' -strokewidth 2 -draw 'line 6,9 10,9' -draw 'line 8,7 8,11' new.png
convert -size 16x16 xc:none -stroke '#8a6a10' -strokewidth 1 -fill '#e8b830' \
  -draw 'polygon 1,3 6,3 7,5 14,5 14,13 1,13' -fill '#f6d66a' -draw 'polygon 3,7 15,7 13,13 1,13' open.png
convert -size 16x16 xc:none -stroke '#1c3c78' -strokewidth 1 -fill '#3d6fc4' \
  -draw 'polygon 1,1 13,1 14,2 14,14 1,14' -fill white -draw 'rectangle 4,1 11,6' \
  -fill '#1c3c78' -draw 'rectangle 9,2 10,5' -fill '#d0d8e8' -draw 'rectangle 3,9 12,14' save.png
convert -size 16x16 xc:none -fill white -stroke '#404040' -strokewidth 1 \
  -draw 'polygon 3,1 10,1 13,4 13,14 3,14' -stroke '#c62020' -strokewidth 2 \
  -draw 'line 5,6 11,12' -draw 'line 11,6 5,12' close.png
convert -size 16x16 xc:none -fill '#2f64c0' -stroke '#1c3c78' -draw 'circle 7.5,7.5 7.5,0.5' \
  -stroke none -fill white -font $F -pointsize 12 -gravity center -annotate +0+0 '?' help.png

# Bitmap buttons, 80 x 40: a picture on the left, the word on the right.
button() { # name colour word picture...
  local name=$1 colour=$2 word=$3; shift 3
  convert -size 80x40 xc:'#f2f2f2' -fill none -stroke "$colour" -strokewidth 2 \
    -draw 'roundrectangle 1,1 78,38 5,5' "$@" \
    -stroke none -fill "$colour" -font DejaVu-Sans-Condensed-Bold -pointsize 9 -annotate +29+24 "$word" "$name.png"
}
button connect '#2a7d2a' CONNECT -stroke '#2a7d2a' -strokewidth 2 -fill '#2a7d2a' \
  -draw 'rectangle 7,15 14,25' -draw 'line 14,17 19,17' -draw 'line 14,23 19,23' -draw 'line 3,20 7,20' \
  -fill none -draw 'rectangle 21,14 26,26'
button read '#1c5cb0' READ -stroke '#404040' -strokewidth 1 -fill '#303030' -draw 'rectangle 5,11 15,29' \
  -stroke '#1c5cb0' -strokewidth 2 -draw 'line 16,20 26,20' -fill '#1c5cb0' -draw 'polygon 27,20 22,16 22,24' \
  -annotate +0+0 ''
button write '#b03020' WRITE -stroke '#404040' -strokewidth 1 -fill '#303030' -draw 'rectangle 17,11 27,29' \
  -stroke '#b03020' -strokewidth 2 -draw 'line 4,20 14,20' -fill '#b03020' -draw 'polygon 16,20 11,16 11,24'

# The board picture, 87 x 178: a green board with the microcontroller and its headers.
convert -size 87x178 xc:none -fill '#1f6b3a' -stroke '#0f3d20' -draw 'roundrectangle 1,1 85,176 6,6' \
  -stroke none -fill '#d8c060' -draw 'circle 8,8 8,5' -draw 'circle 78,8 78,5' \
  -draw 'circle 8,169 8,166' -draw 'circle 78,169 78,166' \
  -fill '#202020' -draw 'rectangle 14,14 72,22' -draw 'rectangle 14,155 72,163' \
  -fill '#c0c0c0' -draw 'rectangle 20,60 66,120' \
  -fill '#181818' -draw 'rectangle 23,63 63,117' \
  -fill white -font $F -pointsize 11 -annotate +29+86 'HC12' \
  -font DejaVu-Sans -pointsize 7 -annotate +27+100 'Motorola' \
  -fill '#e0e0e0' -draw 'rectangle 30,132 56,142' -fill '#808080' -draw 'rectangle 34,135 52,139' \
  -fill '#d8c060' -draw 'rectangle 16,17 69,19' -draw 'rectangle 16,158 69,160' \
  -fill '#c04040' -draw 'circle 70,40 70,37' HC12BMP.png

# The window icon.
convert -size 48x48 xc:none -fill '#b0b0b0' -stroke none \
  -draw 'rectangle 4,10 44,13' -draw 'rectangle 4,35 44,38' -draw 'rectangle 10,4 13,44' -draw 'rectangle 35,4 38,44' \
  -fill '#202020' -stroke '#606060' -draw 'roundrectangle 8,8 40,40 3,3' \
  -stroke none -fill '#f0c030' -font $F -pointsize 16 -gravity center -annotate +0+0 '12' IDI_ICON.png
mogrify -depth 8 -strip ./*.png

# The same icon for Windows' file manager (rovidada-de12.rc), at the sizes it shows.
convert IDI_ICON.png -define icon:auto-resize=48,32,16 rovidada-de12.ico
