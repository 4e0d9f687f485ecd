#!/usr/bin/env bash
# Draws the program's own images with ImageMagick: the 32 by 32 PNGs of the image buttons and the
# 9 by 5 sort arrows of the report lists. The drawn files are committed; run this only to redraw them.
set -euo pipefail
cd "$(dirname "$0")/images"

# button ID COLOUR GLYPH...: a rounded tile in the colour with a white glyph, on a transparent ground.
button() {
  local id=$1 colour=$2; shift 2
  convert -size 32x32 xc:none -fill "$colour" -stroke '#202020' -strokewidth 1 \
    -draw 'roundrectangle 1,1 30,30 6,6' -fill none -stroke white -strokewidth 3 "$@" \
    -define png:color-type=6 "PNG32:$id.png"
}
button 150 '#3a6ea5' -draw 'line 9,16 23,16' -draw 'line 16,9 16,23'                         # add
button 151 '#b03030' -draw 'line 9,9 23,23' -draw 'line 23,9 9,23' -draw 'line 6,26 26,26'   # delete all
button 152 '#c05050' -draw 'line 10,10 22,22' -draw 'line 22,10 10,22'                       # delete selected
button 165 '#2f7d32' -draw 'circle 14,14 14,7' -draw 'line 19,19 25,25'                      # find computers
button 166 '#5d4b8a' -draw 'line 9,10 23,10' -draw 'line 9,16 23,16' -draw 'line 9,22 23,22' # computer list
button 167 '#1f6f8b' -draw 'rectangle 7,9 17,17' -draw 'rectangle 15,15 25,23'               # share keyboard and mouse
button 168 '#d08a00' -draw 'line 16,6 16,15' -draw 'arc 8,9 24,25 300,240'                   # wake up
button 169 '#607080' -draw 'line 9,13 16,20' -draw 'line 16,20 23,13'                        # hide group
button 170 '#607080' -draw 'line 9,20 16,13' -draw 'line 16,13 23,20'                        # show group
button 175 '#8a6d3b' -draw 'circle 16,16 16,8' -draw 'line 11,11 21,21'                      # clear wake-up state
button 176 '#2a7ab0' -draw 'line 7,16 25,16' -draw 'line 19,10 25,16' -draw 'line 19,22 25,16' # connect
button 179 '#3a8a5a' -draw 'line 8,17 14,23' -draw 'line 14,23 24,9'                         # apply
button 180 '#8a3a5a' -draw 'arc 8,8 24,24 30,330' -draw 'line 24,8 24,14'                    # refresh
button 183 '#4a4a9a' -draw 'line 10,22 10,14' -draw 'line 16,22 16,9' -draw 'line 22,22 22,17' # traffic
button 184 '#9a4a4a' -draw 'line 8,12 24,12' -draw 'line 8,20 24,20' -draw 'line 20,8 24,12' -draw 'line 12,24 8,20' # routes

# Sort arrows: black shape on white, 24-bit. 134 points up (ascending), 133 down (descending).
convert -size 9x5 xc:white -fill black -stroke none -draw 'polygon 4,0 8,4 0,4' -type truecolor BMP3:134.bmp
convert -size 9x5 xc:white -fill black -stroke none -draw 'polygon 0,0 8,0 4,4' -type truecolor BMP3:133.bmp
