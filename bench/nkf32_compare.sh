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
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
done
nkf_rate=$(echo "$bytes / $best / 1000000" | bc -l)

ours=$(NKF32_BENCH_LOG="$log" "$build/bench/nkf32_bench" \
  --benchmark_filter='^BM_PercentDecodeAndConvert$' --benchmark_min_time=2 \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true --benchmark_format=csv \
  2>/dev/null | grep '_max\|_mean' | grep _mean | cut -d, -f3)  # real_time in ms
ours_rate=$(echo "$bytes / ($ours / 1000) / 1000000" | bc -l)

printf 'file       %d bytes\n' "$bytes"
printf 'nkf        %.3f s   %6.1f MB/s\n' "$best" "$nkf_rate"
printf 'nkf32      %.3f s   %6.1f MB/s\n' "$(echo "$ours / 1000" | bc -l)" "$ours_rate"
printf 'ratio      %.2f x\n' "$(echo "$ours_rate / $nkf_rate" | bc -l)"
