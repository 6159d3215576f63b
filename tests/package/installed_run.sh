#!/usr/bin/env bash
# The Debian package unpacked into a scratch root, its programs run there as
# an installed program runs, for a user with a fresh home: the first start
# makes the user's folder from the package's samples, the sample project
# loads, a picture builds, a later start leaves the user's files alone, and
# nothing is written under the unpacked prefix.
#
#   installed_run.sh PACKAGE.deb
set -euo pipefail
deb=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir "$HOME"
user=$HOME/.local/share/puffel
listing() { find "$root" -printf '%p %s %T@\n' | sort; }
before=$(listing)
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$root/usr/bin/puffel-batch" - <<SCRIPT
answer $user/save/cat.dat
click SpeedButton5
print form2
answer $user/obj/fish.bmp
click Button1
print form2
SCRIPT
)
echo "$out"
for name in obj/fish.bmp obj/cat_assembly.txt haikei/sky.bmp save/cat.dat save/cat.anim readme.txt; do
  [ -f "$user/$name" ] || fail "the first start did not copy $name"
done
[ -d "$user/pic_hozon" ] || fail "no pic_hozon in the user's folder"
! grep -q '^\(error\|message\):' <<<"$out" || fail "the project or the picture did not load"
[ -f "$user/save/fish.bmp1" ] || fail "the fish was not built"

"$root/usr/bin/puffel-export" "$user/save/cat.dat" "$scratch/cat.glb"
"$root/usr/bin/puffel-export" "$user/obj/star.bmp" "$scratch/star.obj"
[ -s "$scratch/cat.glb" ] && [ -s "$scratch/star.obj" ] || fail "no model written"

# A later start: the user's own changes stay as they are.
echo mine >"$user/obj/cat_assembly.txt"
rm "$user/obj/apple.bmp"
echo 'print form1' | "$root/usr/bin/puffel-batch" - >/dev/null
[ "$(cat "$user/obj/cat_assembly.txt")" = mine ] || fail "a later start overwrote a user's file"
[ ! -e "$user/obj/apple.bmp" ] || fail "a later start put back a deleted sample"

[ "$before" = "$(listing)" ] || fail "something was written under the installed prefix"
echo "installed run: ok"
