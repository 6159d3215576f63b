#!/bin/sh
# Makes the pictures at the top of README.md from the program itself:
#   docs/screenshot.png  the desktop program under Xvfb and openbox, with the
#                        sample project opened through "L" and its file dialog,
#                        its second key picked on the timeline
#   docs/cat_view.png    the view of the sample project exported by puffel-batch
#   docs/cat_wave.gif    the sample project's animation exported by puffel-batch
#   docs/soft_joints.png its view with rigid and with soft joints, side by side
#   docs/cat_sheet.png   its animation with the keys at 0, 0.25 and 0.5 s as
#                        an 8-direction sprite sheet by puffel-batch, at a
#                        quarter of its size
#
#   tools/readme_pictures.sh [BUILD_DIR]      (from the repository; BUILD_DIR: build)
#
# Needs xvfb-run, openbox, xdotool, xwd, xwininfo, xprop and ImageMagick's
# convert (make readme-pictures installs them).
set -eu

build=${1:-build}
program=$(cd "$build/program" && pwd)
docs=$(cd "$(dirname "$0")/../docs" && pwd)
for file in puffel puffel-batch save/cat.dat; do
  [ -e "$program/$file" ] || { echo "$program/$file is missing: build first" >&2; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The export: the project loaded and the view written out with "bmp".
cat >"$scratch/export.txt" <<EOF
answer save/cat.dat
click SpeedButton5
answer $scratch/cat_view.bmp
click SpeedButton1
answer $docs/cat_wave.gif
click ExportGif
set SelectedKey 2
set KeyTime 0.25
set SelectedKey 3
set KeyTime 0.5
set SheetDirections 8
answer $scratch/cat_sheet.png
click ExportSheet
EOF
(cd "$program" && ./puffel-batch "$scratch/export.txt")
/usr/bin/convert "$scratch/cat_view.bmp" -strip "$docs/cat_view.png"
/usr/bin/convert "$scratch/cat_sheet.png" -resize 25% -strip "$docs/cat_sheet.png"

# The same view with rigid joints and with soft joints.
cat >"$scratch/soft.txt" <<EOF
answer save/cat.dat
click SpeedButton5
snapshot form2 $scratch/rigid.bmp
click SoftJoints
snapshot form2 $scratch/soft.bmp
EOF
(cd "$program" && ./puffel-batch "$scratch/soft.txt")
/usr/bin/convert "$scratch/rigid.bmp" "$scratch/soft.bmp" +append -strip "$docs/soft_joints.png"

# The desktop, run by xvfb-run: $1 the scratch folder, $2 the program folder.
cat >"$scratch/desktop.sh" <<'EOF'
set -eu
scratch=$1 program=$2

# The client area's screen position and size of window $1, and its frame's
# extents: sets x, y, width, height, left, right, top, bottom.
place() {
  eval "$(xwininfo -id "$1" | sed -n \
    -e 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/x=\1/p' \
    -e 's/^ *Absolute upper-left Y: *\(-*[0-9]*\)/y=\1/p' \
    -e 's/^ *Width: *\([0-9]*\)/width=\1/p' -e 's/^ *Height: *\([0-9]*\)/height=\1/p')"
  eval "$(xprop -id "$1" _NET_FRAME_EXTENTS |
    sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)/left=\1 right=\2 top=\3 bottom=\4/p')"
}

openbox >/dev/null 2>&1 &
sleep 1
(cd "$program" && exec ./puffel >/dev/null 2>&1) &
main=$(xdotool search --sync --name '^Puffel!$' | head -n 1)
part=$(xdotool search --sync --name '^Parts No\.' | head -n 1)
sleep 1

# The part window beside the main window, so that the picture holds both.
place "$main"
xdotool windowmove "$part" $((x + width + right + 12)) $((y - top))
sleep 1

# "L" (SpeedButton5, 26 x 25 at (138, 386) of the main window's 200 x 449
# client area, which lies below the menu bar); its file dialog opens in "save".
xdotool mousemove --window "$main" 151 $((height - 449 + 398)) click 1
sleep 2
xdotool type cat.dat
xdotool key Return
sleep 2

# The timeline opened with the keys: under the part window, its second key
# picked (the ruler's middle row, 40 pixels high, starts 60 pixels down).
timeline=$(xdotool search --sync --name '^タイムライン$' | head -n 1)
place "$part"
xdotool windowmove "$timeline" $((x - left)) $((y + height + bottom))
sleep 1
place "$timeline"
xdotool mousemove --window "$timeline" $((12 + (width - 25) / 3)) $((height - 100 + 80)) click 1
sleep 1
xdotool mousemove 0 0
sleep 1

place "$main"
x0=$((x - left)) y0=$((y - top)) y1=$((y + height + bottom))
place "$part"
x1=$((x + width + right))
place "$timeline"
[ $((x + width + right)) -lt "$x1" ] || x1=$((x + width + right))
[ $((y + height + bottom)) -lt "$y1" ] || y1=$((y + height + bottom))
margin=12
xwd -root -silent >"$scratch/screen.xwd"
/usr/bin/convert "$scratch/screen.xwd" -crop \
  $((x1 - x0 + 2 * margin))x$((y1 - y0 + 2 * margin))+$((x0 - margin))+$((y0 - margin)) \
  +repage -strip "$scratch/screenshot.png"
xdotool windowclose "$main"
EOF
xvfb-run -a -s "-screen 0 1024x768x24" sh "$scratch/desktop.sh" "$scratch" "$program"
cp "$scratch/screenshot.png" "$docs/screenshot.png"
echo "wrote $docs/screenshot.png and $docs/cat_view.png"
