#!/usr/bin/env bash
# Times posing through puffel-batch: each pose script against the same script
# without its pointer moves, the difference divided by the number of moves.
#
#   bench/time_posing.sh [BUILD_DIR]     (default: build)
set -euo pipefail
build=${1:-build}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir -p "$folder"/obj "$folder"/save
"$build"/bench/posing-scripts "$folder"
batch=$(realpath "$build"/program/puffel-batch)
cd "$folder"
for case in "8 300" "32 200"; do
  set -- $case
  hyperfine --warmup 1 --runs "${RUNS:-10}" --export-json times$1.json \
    "$batch --program-dir . base$1.txt" "$batch --program-dir . pose$1.txt" >/dev/null
  python3 - "$1" "$2" times$1.json <<'PY'
import json, statistics, sys
parts, moves, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
base, pose = (statistics.median(r["times"]) for r in json.load(open(path))["results"])
print(f"{parts} parts: {moves} moves in {pose - base:.3f} s, {1000 * (pose - base) / moves:.2f} ms a move "
      f"(script without moves {base:.3f} s)")
PY
done
