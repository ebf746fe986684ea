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
# (the transparent colour). Hard edges, so the mask follows the outline.
convert -size 300x240 xc:white +antialias \
  -fill '#1e2633' -draw 'roundrectangle 0,18 299,239 14,14' \
  -fill '#2b3a52' -draw 'roundrectangle 12,0 150,36 10,10' \
  -fill '#334766' -draw 'rectangle 10,40 289,229' \
  -fill '#202c3f' -draw 'rectangle 14,44 285,225' \
  -fill '#e3a93a' -draw 'rectangle 14,44 285,45' \
  -antialias -fill '#f2c25a' -font Helvetica-Bold -pointsize 14 -annotate +24+24 'Brannox 2000' \
  -fill '#7f93b5' -font Helvetica -pointsize 11 -annotate +24+216 'No skin loaded' \
  -type TrueColor BMP3:face.bmp

python3 make_cursors.py
python3 make_mask.py face.bmp face.msk
