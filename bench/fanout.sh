#!/usr/bin/env bash
# Fans linsift-cli out with GNU parallel over the cores of this machine and checks that the
# result is byte for byte the single process's, on a generated 1,000,000,000-byte Shift_JIS
# access log (page cache warm). Prints, per command, the single and the parallel wall time,
# the speed-up and the peak memory of one linsift-cli process.
# Needs the native build with nkf32 (the text is made with linsift-cli convert).
#
#   bench/fanout.sh [BUILD_DIR] [COMMAND...]
# BUILD_DIR defaults to build/native; COMMANDs default to extract delete count convert.
# The text is made in /tmp/linsift-fanout (about 1 GB) and removed at the end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/native}
[ $# -gt 0 ] && shift
commands=("$@")
[ ${#commands[@]} -gt 0 ] || commands=(extract delete count convert)
cli=$(cd "$build" && pwd)/bin/linsift-cli
[ -x "$cli" ] || { echo "fanout.sh: no $cli (build the native preset first)" >&2; exit 2; }
command -v parallel >/dev/null || { echo "fanout.sh: GNU parallel is needed" >&2; exit 2; }

dir=/tmp/linsift-fanout
mkdir -p "$dir"
trap 'rm -rf "$dir"' EXIT
big=$dir/big.log
# A Shift_JIS access log: the generated one with its queries decoded, repeated to 1 GB.
python3 "$here/make_accesslog.py" "$dir/raw.log" 40000000 > /dev/null
"$cli" convert "$dir/raw.log" > "$dir/piece.log"
for _ in $(seq 31); do cat "$dir/piece.log"; done | head -c 1000000000 > "$big"
rm -f "$dir/raw.log" "$dir/piece.log"
cat "$big" > /dev/null  # warm the page cache
# 表示: its trail byte is a backslash, which the shell that parallel starts must not see.
search=$(printf '\xe8\xa1\xa8\xe7\xa4\xba' | iconv -f UTF-8 -t CP932)
export LC_ALL=C

now() { date +%s%N; }

printf '%-10s %10s %10s %8s %10s  %s\n' command "single s" "parallel s" speed-up "peak KB" output
failed=0
for c in "${commands[@]}"; do
  args=("$c")
  [ "$c" = convert ] || args+=("$search")
  t0=$(now)
  "$cli" "${args[@]}" "$big" > "$dir/single" 2>/dev/null
  t1=$(now)
  # Each piece is whole lines (it ends at an LF), so each piece's result is that of its lines.
  # -q passes the search text's bytes as they are (a Shift_JIS trail byte may be a backslash).
  parallel -q --pipepart --block 64M -k -a "$big" "$cli" "${args[@]}" > "$dir/fanned" 2>/dev/null
  t2=$(now)
  /usr/bin/time -o "$dir/peak" -f %M "$cli" "${args[@]}" "$big" > /dev/null 2>&1
  peak=$(tail -1 "$dir/peak")
  if [ "$c" = count ]; then
    # count gives each piece's lines and matches: the matches add up; each piece's count of
    # lines includes the line after its last LF, which the next piece continues.
    awk 'NR % 2 == 1 { gsub(/[^0-9]/, ""); lines += $0 - 1 }
         NR % 2 == 0 { gsub(/[^0-9]/, ""); matches += $0 }
         END { print lines + 1; print matches }' "$dir/fanned" > "$dir/summed"
    sed 's/[^0-9]//g' "$dir/single" > "$dir/fanned"
    mv "$dir/summed" "$dir/single"
  fi
  if cmp -s "$dir/single" "$dir/fanned"; then verdict="identical ($(stat -c %s "$dir/single") bytes)"
  else verdict="DIFFERENT"; failed=1; fi
  awk -v c="$c" -v t0="$t0" -v t1="$t1" -v t2="$t2" -v peak="$peak" -v verdict="$verdict" \
    'BEGIN { s = (t1 - t0) / 1e9; p = (t2 - t1) / 1e9
             printf "%-10s %10.2f %10.2f %8.2f %10s  %s\n", c, s, p, s / p, peak, verdict }'
  rm -f "$dir/single" "$dir/fanned"
done
exit $failed
