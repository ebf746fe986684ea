#!/usr/bin/env bash
# Draws the default skin's pictures (run by hand when they change;
# the results are committed). Needs python3 and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'EOF'
import sys, struct
work = sys.argv[1]
W, H = 340, 280

# The outline: a title tab on a body with stepped round corners. White is
# the transparent colour, so nothing inside is pure white.
TAB_X0, TAB_X1, TAB_Y1 = 16, 200, 26
TAB_INSET = [5, 3, 2, 1]
BODY_Y0 = 24
BODY_INSET = [7, 5, 4, 3, 2, 1, 1]

def inside(x, y):
    if 0 <= y < TAB_Y1:
        i = TAB_INSET[y] if y < len(TAB_INSET) else 0
        if TAB_X0 + i <= x < TAB_X1 - i:
            return True
    if BODY_Y0 <= y < H:
        r = min(y - BODY_Y0, H - 1 - y)
        i = BODY_INSET[r] if r < len(BODY_INSET) else 0
        return i <= x < W - i
    return False

def mix(a, b, t):
    return tuple(int(round(a[k] + (b[k] - a[k]) * t)) for k in range(3))

def hexc(s):
    return (int(s[1:3], 16), int(s[3:5], 16), int(s[5:7], 16))

BORDER, BORDER2 = hexc('#7cc8ee'), hexc('#2c4a66')
BODY_TOP, BODY_BOT = hexc('#2b3748'), hexc('#141a24')
TAB_TOP, TAB_BOT = hexc('#3e6a92'), hexc('#2b3748')
PANEL, STRIPE, PANEL_EDGE = hexc('#0e131b'), hexc('#131a25'), hexc('#3a4b60')
LIST_X0, LIST_Y0, LIST_X1, LIST_Y1 = 10, 34, 240, 270
ROW_TOP, ROW_PITCH = 40, 17

def edge_distance(x, y):
    # 1 on the outermost ring of the shape, 2 on the next, else 0.
    for d in (1, 2):
        for dx, dy in ((-d, 0), (d, 0), (0, -d), (0, d), (-d, -d), (d, d), (-d, d), (d, -d)):
            if not inside(x + dx, y + dy):
                return d
    return 0

pix = []
for y in range(H):
    for x in range(W):
        if not inside(x, y):
            pix.append((255, 255, 255)); continue
        d = edge_distance(x, y)
        if d == 1:
            c = BORDER
        elif d == 2:
            c = BORDER2
        elif y < BODY_Y0 + 2 and not (BODY_Y0 <= y and 7 <= x < W - 7 and not (TAB_X0 <= x < TAB_X1)):
            c = mix(TAB_TOP, TAB_BOT, y / TAB_Y1)
        else:
            c = mix(BODY_TOP, BODY_BOT, (y - BODY_Y0) / (H - BODY_Y0))
        if LIST_X0 <= x < LIST_X1 and LIST_Y0 <= y < LIST_Y1:
            if x in (LIST_X0, LIST_X1 - 1) or y in (LIST_Y0, LIST_Y1 - 1):
                c = PANEL_EDGE
            else:
                row = (y - ROW_TOP) // ROW_PITCH
                c = STRIPE if y >= ROW_TOP and row % 2 == 1 and row < 13 else PANEL
        pix.append(c)
with open(f'{work}/background.ppm', 'wb') as f:
    f.write(b'P6 %d %d 255\n' % (W, H))
    f.write(bytes(v for p in pix for v in p))

EOF

font=DejaVu-Sans-Bold
# The title on the tab, then a 24-bit BMP.
convert "$work/background.ppm" -font "$font" -pointsize 13 -fill '#e4eef8' \
  -annotate +30+18 'BRANNOX 2000' -fill '#8fb4d0' -font DejaVu-Sans -pointsize 9 \
  -annotate +148+18 'launcher' -type TrueColor BMP3:background.bmp

# A button picture: the background under it, a rounded face, a label.
button() {  # name x y w h label state
  local name=$1 x=$2 y=$3 w=$4 h=$5 label=$6 state=$7
  local top bot edge text dy=0
  case $state in
    normal)  top='#34506e' bot='#1f2e42' edge='#5f93b8' text='#d6e4f0' ;;
    hover)   top='#4a7aa6' bot='#2b4763' edge='#a6e2ff' text='#fff4c8' ;;
    pressed) top='#172333' bot='#2c4560' edge='#ffcf5c' text='#ffd870' dy=1 ;;
  esac
  convert background.bmp -crop "${w}x${h}+${x}+${y}" +repage \
    \( -size "${w}x${h}" gradient:"$top-$bot" \) \
    \( -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w-1)),$((h-1)) 5,5" \) \
    -composite -fill none -stroke "$edge" -strokewidth 1 \
    -draw "roundrectangle 0,0 $((w-1)),$((h-1)) 5,5" -stroke none \
    "${@:8}" -fill "$text" -font "$font" -pointsize 10 -gravity center \
    -annotate "+0+$dy" "$label" -type TrueColor "BMP3:${name}_${state}.bmp"
}
for state in normal hover pressed; do
  button new 250 58 80 24 'New' $state
  button modify 250 86 80 24 'Modify' $state
  button remove 250 114 80 24 'Remove' $state
  button removeall 250 142 80 24 'Remove all' $state
  button settings 250 170 80 24 'Settings' $state
  button about 250 198 80 24 'About' $state
  button close 312 32 18 18 '×' $state
  button up 250 234 38 30 '▲' $state
  button down 292 234 38 30 '▼' $state
done
