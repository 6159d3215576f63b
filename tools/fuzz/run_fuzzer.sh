#!/usr/bin/env bash
# Runs one fuzzer for FUZZ_SECONDS seconds (default 30) from a working corpus
# in WORK/corpus, into which the kept inputs and the seeds are copied; their
# own folders are only read. Inputs that make the fuzzer fail are written to
# WORK/findings and copied into KEPT, to stay there as regression tests once
# the fault is fixed.
#
#   run_fuzzer.sh FUZZER WORK KEPT [SEED_FOLDER | -LIBFUZZER_OPTION]...
set -euo pipefail
fuzzer=$1 work=$2 kept=$3
shift 3
seeds=() extra=()
for arg in "$@"; do
  case $arg in
    -*) extra+=("$arg") ;;
    *) seeds+=("$arg") ;;
  esac
done

rm -rf "$work/findings"
mkdir -p "$work/corpus" "$work/findings"
for folder in "$kept" "${seeds[@]}"; do
  [ -d "$folder" ] || continue
  find "$folder" -type f -print0 | while IFS= read -r -d '' file; do
    cp "$file" "$work/corpus/$(sha1sum <"$file" | cut -c1-40)"
  done
done

# Memory: the largest picture the bitmap reader accepts, kMaxBitmapPixels =
# 2^26 pixels of 4 bytes, is one allocation of 256 MiB; any single allocation
# above that is a finding, and so is a process above 1 GiB, which leaves room
# for the sanitizers' own memory. Time: an input that runs over 30 seconds is
# taken for a hang (the largest picture takes a few seconds in this build).
options=(-max_total_time="${FUZZ_SECONDS:-30}" -timeout=30 -malloc_limit_mb=257
         -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/findings/" "${extra[@]}")

if ! "$fuzzer" "${options[@]}" "$work/corpus"; then
  mkdir -p "$kept"
  find "$work/findings" -type f -exec cp -t "$kept" {} +
  echo "$(basename "$fuzzer") failed; the input is kept in $kept" >&2
  exit 1
fi
