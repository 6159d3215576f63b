#!/usr/bin/env bash
# The checks between the Linux and the Windows build (make windows-test): the
# sample project made under Wine and the one made on Linux show the same
# figure; each program opens both with the same captions, messages and view,
# saves them again unchanged and exports them; the glTF validator (Node.js on
# Linux) passes every model the Windows programs write.
#
#   tools/windows/cross_checks.sh LINUX_BUILD WINDOWS_BUILD
#
# WINEPREFIX names the Wine prefix (make sets it).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
work=$windows/cross-checks
compare=$linux/tools/puffel-cross-compare

run_linux() { "$linux/program/$1" "${@:2}"; }
run_windows() { "$source_dir/tools/windows/wine_run.sh" "$windows/program/$1.exe" "${@:2}"; }
fail() { echo "cross check failed: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"

# The sample pictures drawn under Wine are the Linux ones, byte for byte.
for picture in "$linux"/program/obj/* "$linux"/program/haikei/*; do
  relative=${picture#"$linux/program/"}
  cmp -s "$picture" "$windows/program/$relative" || fail "$relative differs"
done

# The sample project, made by its event script on each system.
"$compare" project "$linux/program/save/cat.dat" "$windows/program/save/cat.dat"

# Each program opens each project, reports what it shows, draws it, exports
# it from the menu and saves it again.
cat > "$work/open.txt" <<'SCRIPT'
answer save/cat.dat
click SpeedButton5
print form1
print form2
print Label1
print StaticText1
print StaticText2
print StaticText3
print StaticText4
print StaticText5
print StaticText6
print StaticText7
print StaticText8
snapshot form2 view.bmp
snapshot form1 pickers.bmp
answer pic_hozon/cat.glb
click Export3D
answer save/again.dat
click SpeedButton4
SCRIPT
models=()
for maker in linux windows; do
  made=$linux/program/save
  if [ "$maker" = windows ]; then made=$windows/program/save; fi
  for opener in linux windows; do
    folder=$work/$opener-opens-$maker
    mkdir -p "$folder"/{obj,save,haikei,pic_hozon}
    cp "$made"/cat.dat "$made"/cat_*.bmp? "$folder/save/"
    (cd "$folder" && "run_$opener" puffel-batch --program-dir . "$work/open.txt" > out.txt 2>&1) ||
      fail "puffel-batch on $opener opening the $maker project: $(cat "$folder/out.txt")"
    cmp -s "$folder/out.txt" "$work/linux-opens-linux/out.txt" ||
      fail "$opener opening the $maker project said: $(cat "$folder/out.txt")"
    "$compare" view "$folder/view.bmp" "$work/linux-opens-linux/view.bmp"
    "$compare" view "$folder/pickers.bmp" "$work/linux-opens-linux/pickers.bmp"
    "$compare" project "$folder/save/again.dat" "$made/cat.dat"
    if [ "$opener" = windows ]; then models+=("$folder/pic_hozon/cat.glb"); fi
  done
done

# puffel-export.exe makes the same models from either project.
for maker in linux windows; do
  folder=$work/windows-opens-$maker
  mkdir "$folder/export"
  (cd "$folder" && run_windows puffel-export --program-dir . save/cat.dat export/cat.glb &&
    run_windows puffel-export --program-dir . save/cat.dat export/cat.obj) 2>&1 ||
    fail "puffel-export.exe on the $maker project"
  models+=("$folder/export/cat.glb")
done
node "$source_dir/tests/export/validator/validate.js" "$linux/tests/gltf-validator/node_modules" \
  "${models[@]}" > "$work/validation.txt" || fail "glTF validator: $(cat "$work/validation.txt")"
echo "cross checks passed: $(grep -c ': 0 errors, 0 warnings' "$work/validation.txt") models valid"
