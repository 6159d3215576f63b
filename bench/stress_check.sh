#!/usr/bin/env bash
# The stress check through puffel-batch: 32 parts from 1024 x 1024 pictures at
# polygon size 1, the 3D view, a 100-move trackball drag, save, load and
# export. Prints the time of each phase (the difference between a script and
# the one before it) and the whole run's peak memory.
#
#   bench/stress_check.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build=${1:-build}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder"/obj "$folder"/save "$folder"/pic_hozon
"$build"/bench/posing-scripts --stress "$folder"
batch=$(realpath "$build"/program/puffel-batch)
cd "$folder"
names=(build "3D view" "trackball drag" save load export)
last=0
for n in 1 2 3 4 5 6; do
  /usr/bin/time -f "%e %M" -o time$n.txt "$batch" --program-dir . stress$n.txt > out$n.txt
  if [ -s out$n.txt ]; then echo "phase $n printed:"; cat out$n.txt; exit 1; fi
  read -r seconds kilobytes < time$n.txt
  printf '%-15s %6.2f s\n' "${names[n-1]}" "$(echo "$seconds - $last" | bc)"
  last=$seconds
done
printf 'whole run      %6.2f s, peak memory %.2f GiB\n' "$last" "$(echo "$kilobytes / 1048576" | bc -l)"
ls -l save/stress.dat pic_hozon/stress.bmp | awk '{print $5, $9}'
