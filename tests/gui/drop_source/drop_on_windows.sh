#!/bin/sh
# Drops three pictures (a transparent PNG, a JPEG and a GIF made from the
# sample pictures) on the part window of the real desktop program under Xvfb,
# then the sample project on the main window, through the desktop's own drag
# and drop (puffel-drop-source and xdotool), and takes a screenshot after each.
#
#   tests/gui/drop_source/drop_on_windows.sh BUILD_DIR OUT_FOLDER
#
# Needs xvfb-run, openbox, xdotool, xwd and ImageMagick's convert.
set -eu
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
program=$build/program
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
/usr/bin/convert "$program/obj/star.bmp" -transparent white "$scratch/star.png"
/usr/bin/convert "$program/obj/fish.bmp" -interlace JPEG "$scratch/fish.jpg"
/usr/bin/convert "$program/obj/apple.bmp" "$scratch/apple.gif"

cat >"$scratch/desktop.sh" <<'SCRIPT'
set -eu
scratch=$1 program=$2 build=$3 out=$4
openbox >/dev/null 2>&1 &
sleep 1
(cd "$program" && exec ./puffel >/dev/null 2>&1) &
main=$(xdotool search --sync --name '^Puffel!$' | head -n 1)
part=$(xdotool search --sync --name '^Parts No\.' | head -n 1)
sleep 1
xdotool windowmove "$main" 100 100
xdotool windowmove "$part" 360 100
sleep 1

# Drags the files from the drop source onto screen point ($1, $2).
drop() {
  x=$1 y=$2
  shift 2
  "$build/tests/puffel-drop-source" "$@" &
  source=$!
  xdotool search --sync --name '^drop source$' >/dev/null
  sleep 1
  xdotool mousemove 40 40 mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((40 + (x - 40) * step / 8)) $((40 + (y - 40) * step / 8))
    sleep 0.2
  done
  xdotool mouseup 1
  wait "$source"
  sleep 3
}

drop 560 300 "$scratch/star.png" "$scratch/fish.jpg" "$scratch/apple.gif"
xwd -root -silent | /usr/bin/convert xwd:- "$out/three_pictures.png"
drop 200 300 "$program/save/cat.dat"
xwd -root -silent | /usr/bin/convert xwd:- "$out/project.png"
SCRIPT
xvfb-run -a -s "-screen 0 1024x768x24" sh "$scratch/desktop.sh" "$scratch" "$program" "$build" "$out"
