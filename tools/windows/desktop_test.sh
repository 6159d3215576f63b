#!/usr/bin/env bash
# The Windows program on a desktop (make windows-test): first the window
# tests of the Windows binding (win32_tests.exe), then puffel.exe under Wine,
# on Xvfb with openbox, started from a copy of the program folder whose path
# holds Japanese characters. Both windows must appear with their client sizes
# and clear of each other; then a picture is added through the real file
# dialog (its name typed, Enter), the view switched to 3D, turned with a
# trackball drag and exported through its dialog, and the exported picture
# must equal what puffel-batch.exe writes for the same events. A screenshot of
# the two windows is left in the work folder.
#
#   tools/windows/desktop_test.sh WINDOWS_BUILD
#
# Needs xvfb-run, openbox, xdotool, xwininfo, xprop, xwd and ImageMagick's
# convert, and the IPA fonts (make windows-test installs them).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
windows=$(cd "$1" && pwd)
work=$windows/desktop-test
if [ -z "${DESKTOP_TEST_INSIDE:-}" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  DESKTOP_TEST_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

fail() { echo "desktop test failed: $*" >&2; exit 1; }
seconds() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(seconds)" 'BEGIN { printf "%.2f", b - a }'; }

# A Wine prefix of its own with a display: the build's prefix is headless.
# The Windows UI fonts are the IPA fonts here, and text files open in
# Notepad, as on Windows.
export WINEPREFIX=$windows/desktop-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  started=$(seconds)
  wineboot --init >/dev/null 2>&1
  for font in "MS UI Gothic" "Meiryo UI" "Yu Gothic UI" "MS Shell Dlg" "MS Shell Dlg 2" Tahoma; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$font" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  done
  wine reg add 'HKCR\.txt' /ve /t REG_SZ /d txtfile /f >/dev/null 2>&1
  wineserver --wait
  echo "Wine prefix made in $(since "$started") s"
fi

program="$work/プログラム フォルダ"
cp -r "$windows/program" "$program"
rm -f "$program"/pic_hozon/*

openbox >/dev/null 2>&1 &
openbox_pid=$!
puffel_pid=
finish() {
  [ -z "$puffel_pid" ] || kill "$puffel_pid" 2>/dev/null || true
  kill "$openbox_pid" 2>/dev/null || true
  wineserver --kill 2>/dev/null || true
}
trap finish EXIT

# The window tests of the Windows binding need the display too (and a window
# manager: Wine waits for one on every window it hides).
started=$(seconds)
(cd "$work" && timeout 300 wine "$windows/tests/win32_tests.exe") >"$work/win32_tests.log" 2>&1 ||
  fail "win32_tests.exe: $(grep -A8 -E 'Failure|FAILED' "$work/win32_tests.log" | head -60)"
echo "win32_tests.exe passed in $(since "$started") s"

# The first window named $1 (a pattern), waited for up to 60 seconds.
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# Waits up to 60 seconds until no window named $1 shows.
gone() {
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window $1 stays"
}
# The X window's size: sets width and height; and its frame on the screen:
# sets frame (left top right bottom).
measure() {
  eval "$(xwininfo -id "$1" | sed -n \
    -e 's/^ *Absolute upper-left X: *\(-*[0-9]*\)/x=\1/p' \
    -e 's/^ *Absolute upper-left Y: *\(-*[0-9]*\)/y=\1/p' \
    -e 's/^ *Width: *\([0-9]*\)/width=\1/p' -e 's/^ *Height: *\([0-9]*\)/height=\1/p')"
  local l r t b
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')
  frame="$((x - l)) $((y - t)) $((x + width + r)) $((y + height + b))"
}
# Types $2 into the file dialog named $1 and presses Enter; waits until it is gone.
answer() {
  local dialog
  dialog=$(window "$1")
  xdotool windowactivate --sync "$dialog"
  xdotool type --delay 20 "$2"
  xdotool key Return
  gone "$1"
}

started=$(seconds)
(cd "$program" && exec wine puffel.exe >"$work/puffel.log" 2>&1) &
puffel_pid=$!
main=$(window '^Puffel!$')
part=$(window '^Parts No\.0$')
echo "puffel.exe showed both windows in $(since "$started") s"

# Client sizes at 96 DPI (win32_tests.exe checks them exactly): the main
# window's X window holds its menu bar, of one to three lines of about 19
# pixels in Wine's metrics, above the 200 x 449 client area; the part
# window's holds its animation menu above the 400 x 400 view.
measure "$main"
menu=$((height - 449))
[ "$width" = 200 ] && [ "$menu" -ge 19 ] && [ "$menu" -le 57 ] ||
  fail "main window is $width x $height, not 200 x 449 below the menu bar"
read -r ml mt mr mb <<<"$frame"
measure "$part"
partmenu=$((height - 400))
[ "$width" = 400 ] && [ "$partmenu" -ge 19 ] && [ "$partmenu" -le 57 ] ||
  fail "part window is $width x $height, not 400 x 400 below the menu bar"
read -r pl pt pr pb <<<"$frame"
if [ "$pl" -lt "$mr" ] && [ "$ml" -lt "$pr" ] && [ "$pt" -lt "$mb" ] && [ "$mt" -lt "$pb" ]; then
  fail "the windows overlap: main $ml,$mt-$mr,$mb part $pl,$pt-$pr,$pb"
fi

# The events, in the part window's and the main window's client pixels.
click_main() { xdotool mousemove --window "$main" "$1" $((menu + $2)) click 1; }
click_main 36 398                      # 画像追加 (Button1)
answer '^Open$' cat_body.bmp
click_main 101 398                     # 2D<->3D (Button4)
xdotool mousemove --window "$part" 200 $((partmenu + 200)) mousedown 1
xdotool mousemove --window "$part" 260 $((partmenu + 230)) mouseup 1
click_main 183 368                     # the view export (SpeedButton1)
answer '^Save As$' view.bmp

exported="$program/pic_hozon/view.bmp"
for _ in $(seq 600); do
  [ -s "$exported" ] && break
  sleep 0.1
done
[ -s "$exported" ] || fail "no exported view"

measure "$main"
read -r x0 y0 _ _ <<<"$frame"
measure "$part"
read -r _ _ x1 y1 <<<"$frame"
xwd -root -silent >"$work/screen.xwd"
convert "$work/screen.xwd" -crop $((x1 - x0 + 24))x$((y1 - y0 + 24))+$((x0 - 12))+$((y0 - 12)) \
  +repage -strip "$work/screenshot.png"
xdotool windowactivate --sync "$main" key alt+F4
for _ in $(seq 100); do
  kill -0 "$puffel_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$puffel_pid" 2>/dev/null && fail "puffel.exe did not end when its main window closed"
puffel_pid=

# The same events through puffel-batch.exe.
cat >"$work/events.txt" <<'SCRIPT'
answer obj/cat_body.bmp
click Button1
click Button4
move form2 200 200 none
press form2 200 200 left
move form2 260 230 left
release form2 260 230 none
answer pic_hozon/batch_view.bmp
click SpeedButton1
SCRIPT
(cd "$program" && "$source_dir/tools/windows/wine_run.sh" puffel-batch.exe --program-dir . \
  "$work/events.txt") >"$work/batch.log" 2>&1 || fail "puffel-batch.exe: $(cat "$work/batch.log")"
cmp "$exported" "$program/pic_hozon/batch_view.bmp" ||
  fail "the exported view differs from puffel-batch.exe's"
echo "desktop test passed"
