#!/usr/bin/env bash
# Compares nkf32 with the nkf command on the access log: nkf converts the file as
# one stream (nkf -s --url-input), nkf32 line by line with a fresh guess each
# line (percent-decode, then convert). Prints both rates and their ratio.
#   bench/nkf32_compare.sh BUILD_DIR [LOG]
set -euo pipefail
build=${1:?usage: nkf32_compare.sh BUILD_DIR [LOG]}
log=${2:-/tmp/nkf32_bench_accesslog.txt}
here=$(cd "$(dirname "$0")" && pwd)
[ -s "$log" ] || python3 "$here/make_accesslog.py" "$log"
bytes=$(stat -c %s "$log")

best=""
for _ in 1 2 3; do
  start=$(date +%s.%N)
  nkf -s --url-input "$log" >/dev/null
  end=$(date +%s.%N)
  t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
  if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
done

# Mean real time of three 2-second runs, in milliseconds (csv column 3).
ours=$(NKF32_BENCH_LOG="$log" "$build/bench/nkf32_bench" \
  --benchmark_filter='^BM_PercentDecodeAndConvert$' --benchmark_min_time=2 \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_format=csv \
  2>/dev/null | grep '_mean' | cut -d, -f3)

awk -v bytes="$bytes" -v nkf="$best" -v ours_ms="$ours" 'BEGIN {
  ours = ours_ms / 1000
  printf "file       %d bytes\n", bytes
  printf "nkf        %.3f s   %6.1f MB/s\n", nkf, bytes / nkf / 1e6
  printf "nkf32      %.3f s   %6.1f MB/s\n", ours, bytes / ours / 1e6
  printf "ratio      %.2f x\n", nkf / ours
}'
