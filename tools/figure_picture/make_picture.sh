#!/bin/sh
# Makes docs/exported_figure.png, the readme's picture of an exported figure:
# the sample cat assembled and posed by puffel-batch (posed_cat.h), exported
# as a GLB file and rendered by three.js in headless Chromium (Debian package
# chromium). A developer's tool, run by hand after a build:
#
#   tools/figure_picture/make_picture.sh [BUILD_DIR]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
here=$root/tools/figure_picture

# The viewer's packages, as the lock file names them, in the build tree.
modules=$build/figure-picture
mkdir -p "$modules"
cp "$here/package.json" "$here/package-lock.json" "$modules/"
(cd "$modules" && npm ci --no-audit --no-fund --silent)

# The posed cat, made in a program folder of its own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/obj" "$work/save" "$work/haikei" "$work/pic_hozon"
cp "$build"/program/obj/cat_*.bmp "$work/obj/"
"$build/tools/puffel-posed-cat" "$work/pic_hozon/cat.glb" > "$work/script.txt"
(cd "$work" && "$build/program/puffel-batch" --program-dir . script.txt)

node "$here/render_figure.js" "$modules/node_modules" "$work/pic_hozon/cat.glb" \
  "$root/docs/exported_figure.png"
echo "wrote $root/docs/exported_figure.png"
