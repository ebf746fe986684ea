#!/usr/bin/env bash
# Draws the launcher's own pictures with ImageMagick and its cursors and the
# face's mask with make_cursors.py / make_mask.py. Run by hand after a change;
# the results are committed (the build only includes them).
set -euo pipefail
cd "$(dirname "$0")"

# Splash, 300 x 249: night-blue gradient, an amber rule and the title.
convert -size 300x249 gradient:'#1b2a44'-'#05070d' \
  -fill '#e3a93a' -draw 'rectangle 24,150 276,152' \
  -fill '#0d1526' -stroke '#2c4470' -strokewidth 2 -draw 'roundrectangle 24,24 276,128 10,10' \
  -stroke none -fill '#f2c25a' -font Helvetica-Bold -pointsize 40 -gravity north -annotate +0+40 'Brannox' \
  -fill '#9fb6dc' -font Helvetica-Bold -pointsize 26 -annotate +0+86 '2 0 0 0' \
  -fill '#c8d2e4' -font Helvetica -pointsize 13 -gravity north -annotate +0+166 'Game and mod launcher' \
  -fill '#6f82a6' -font Helvetica -pointsize 11 -gravity south -annotate +0+18 'Loading...' \
  -type TrueColor BMP3:splash.bmp

# The form's own face, 300 x 240: a dark panel with a title tab, on white
# (the transparent colour). Hard edges, so the mask follows the outline. Its
# buttons are drawn where the empty template puts the picture-less button
# controls (launcher/EmptyTemplate.cpp); the rows' area stays plain.
button() {  # LEFT TOP WIDTH HEIGHT: the -draw arguments of a button's frame
  echo "roundrectangle $1,$2 $(($1 + $3 - 1)),$(($2 + $4 - 1)) 3,3"
}
label() {  # LEFT TOP WIDTH HEIGHT TEXT: a text centred on a button
  echo "text $(($1 + $3 / 2 - 150)),$(($2 + $4 / 2 - 120)) '$5'"
}
buttons=(234,52,New 234,74,Modify 234,96,Remove 234,118,"Remove all" 234,140,Settings 234,162,About)
args=()
for b in "${buttons[@]}"; do
  IFS=, read -r x y text <<< "$b"
  args+=(-fill '#2b3a52' -stroke '#4a6690' -draw "$(button "$x" "$y" 50 18)")
  args+=(-stroke none -fill '#e8dccc' -gravity center -draw "$(label "$x" "$y" 50 18 "$text")" -gravity northwest)
done
convert -size 300x240 xc:white +antialias \
  -fill '#1e2633' -draw 'roundrectangle 0,18 299,239 14,14' \
  -fill '#2b3a52' -draw 'roundrectangle 12,0 150,36 10,10' \
  -fill '#334766' -draw 'rectangle 10,40 289,229' \
  -fill '#202c3f' -draw 'rectangle 14,44 285,225' \
  -fill '#e3a93a' -draw 'rectangle 14,44 285,45' \
  -antialias -fill '#f2c25a' -font DejaVu-Sans-Bold -pointsize 14 -annotate +24+24 'Brannox 2000' \
  -fill '#7f93b5' -font DejaVu-Sans -pointsize 10 -annotate +162+33 'No skin loaded' \
  -font DejaVu-Sans-Condensed -pointsize 8 -strokewidth 1 "${args[@]}" \
  -fill '#2b3a52' -stroke '#4a6690' -draw "$(button 272 20 16 16)" \
  -draw "$(button 234 196 24 18)" -draw "$(button 260 196 24 18)" \
  -stroke '#e8dccc' -strokewidth 2 -draw 'line 276,24 283,31' -draw 'line 283,24 276,31' \
  -stroke none -fill '#e8dccc' -draw 'polygon 241,209 251,209 246,201' -draw 'polygon 267,201 277,201 272,209' \
  +antialias -type TrueColor BMP3:face.bmp

# The popup menus' side bar picture, 16 x 16 on magenta (its transparent
# colour, taken from the bottom-left pixel): an amber badge with a "B".
convert -size 16x16 xc:'#ff00ff' +antialias \
  -fill '#e3a93a' -draw 'roundrectangle 1,1 14,14 4,4' \
  -fill '#1e2633' -font DejaVu-Sans-Bold -pointsize 11 -gravity center -annotate +0+0 'B' \
  -type TrueColor BMP3:barlogo.bmp

python3 make_cursors.py
python3 make_mask.py face.bmp face.msk
