#!/bin/sh
# Loads a sprite sheet of the sample cat into Phaser (a widely used 2D game
# framework, from npm as the lock file names it) in headless Chromium (Debian
# package chromium) and checks that the frame it draws is the program's view:
# puffel-batch opens the sample project, shows the animation at half a second
# (frame 15) and writes both the view and the 8-direction sheet. A developer's
# tool, run by hand after a build:
#
#   tools/sheet_engine_check/check.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
here=$root/tools/sheet_engine_check

modules=$build/sheet-engine-check
mkdir -p "$modules"
cp "$here/package.json" "$here/package-lock.json" "$modules/"
(cd "$modules" && npm ci --no-audit --no-fund --silent)

work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
cat >"$work/script.txt" <<SCRIPT
answer save/cat.dat
click SpeedButton5
seek 0.5
snapshot form2 $work/view.bmp
set SheetDirections 8
answer $work/sheet.png
click ExportSheet
SCRIPT
(cd "$build/program" && ./puffel-batch "$work/script.txt")
/usr/bin/convert "$work/view.bmp" -strip "$work/view.png"
cp "$here/check.html" "$modules/node_modules/phaser/dist/phaser.min.js" "$work/"

port=$((20000 + $$ % 10000))
(cd "$work" && exec python3 -m http.server "$port" --bind 127.0.0.1 >/dev/null 2>&1) &
server=$!
sleep 1
chromium --headless --no-sandbox --disable-gpu --virtual-time-budget=10000 --dump-dom \
  "http://127.0.0.1:$port/check.html?frame=d0_f15" 2>/dev/null |
  sed -n 's:.*<title>\(.*\)</title>.*:\1:p'
