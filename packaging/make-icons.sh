#!/usr/bin/env bash
# Draws the program's icon at 64, 128 and 256 pixels into packaging/icons/: the editor's
# knob, a yellow disc with its pointer, on the olive of the channel screens, with the scale
# of ticks around it. Needs ImageMagick (/usr/bin/convert).
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert

for size in 64 128 256; do
  # Every figure is drawn on a 256 grid and scaled, so the sizes stay alike.
  s() { awk -v v="$1" -v n="$size" 'BEGIN { printf "%.2f", v * n / 256 }'; }
  ticks=()
  for angle in -135 -90 -45 0 45 90 135; do
    read -r x1 y1 x2 y2 < <(awk -v a="$angle" -v n="$size" 'BEGIN {
      r = a * 3.14159265 / 180; k = n / 256
      printf "%.2f %.2f %.2f %.2f\n", (128 + 96 * sin(r)) * k, (128 - 96 * cos(r)) * k,
                                    (128 + 112 * sin(r)) * k, (128 - 112 * cos(r)) * k }')
    ticks+=(-draw "line $x1,$y1 $x2,$y2")
  done
  # The pointer at two o'clock, from the centre almost to the rim.
  read -r px py < <(awk -v n="$size" 'BEGIN { r = 60 * 3.14159265 / 180; k = n / 256
    printf "%.2f %.2f\n", (128 + 66 * sin(r)) * k, (128 - 66 * cos(r)) * k }')
  "$convert" -size "${size}x${size}" xc:none \
    -fill 'rgb(128,128,0)' -stroke 'rgb(80,80,0)' -strokewidth "$(s 6)" \
    -draw "roundrectangle $(s 6),$(s 6) $(s 250),$(s 250) $(s 36),$(s 36)" \
    -stroke 'rgb(255,255,0)' -strokewidth "$(s 10)" "${ticks[@]}" \
    -fill 'rgb(255,255,0)' -stroke 'rgb(200,200,0)' -strokewidth "$(s 6)" \
    -draw "circle $(s 128),$(s 128) $(s 128),$(s 46)" \
    -stroke 'rgb(128,128,0)' -strokewidth "$(s 14)" -draw "line $(s 128),$(s 128) $px,$py" \
    -strip "icons/velmora-$size.png"
done

# The Windows icon: every size Explorer asks for, scaled from the largest drawing.
"$convert" icons/velmora-256.png -define icon:auto-resize=256,128,64,48,32,16 icons/velmora.ico
