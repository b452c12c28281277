#!/usr/bin/env bash
# Runs linsift-cli (native build) and the tools a user would pick instead on the same files,
# side by side: median of 5 runs each (hyperfine), whole process, output to a file. Prints each
# time, the ratio best tool / linsift-cli (above 1: linsift-cli is faster), linsift-cli's peak
# memory (/usr/bin/time %M) against the text's size, and whether each target is met:
#   delete, delete-up-to, convert   faster than the best tool
#   extract, count                  within 3 x grep -F
#   pathological files              every command under 0.5 s
#   every command                   peak memory at most 5 x the text
#   -E with a required literal      at most 1.5 x grep -E (ファイル.*ディレクトリ, ERROR.*timeout)
#   -E without one                  at most 4 x grep -E ([0-9]{4}-[0-9]{2})
#   -i on a literal                 at most 1.5 x grep -iF (error)
# With --gigabyte it runs only on a 1,000,000,000-byte text (the corpus 25 times, removed
# afterwards), 3 runs each, against these targets:
#   every command                   faster than the best tool, peak memory under 256 MB
#
#   bench/compare_tools.sh [--gigabyte] [--literal-only | --search-only] [BUILD_DIR] [CORPUS_DIR]
# BUILD_DIR defaults to build/native; the texts are made in CORPUS_DIR (default
# /tmp/linsift-corpus) by make_corpus.py and make_accesslog.py when missing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
gigabyte=0
searchKinds=1
while [ $# -gt 0 ]; do
  case $1 in
    --gigabyte) gigabyte=1 ;;
    --literal-only) searchKinds=0 ;;  # a linsift-cli without -E and -i
    --search-only) searchKinds=2 ;;   # only the expression and ignore-case rows
    *) break ;;
  esac
  shift
done
build=${1:-$here/../build/native}
dir=${2:-/tmp/linsift-corpus}
cli=$(cd "$build" && pwd)/bin/linsift-cli
[ -x "$cli" ] || { echo "compare_tools.sh: no $cli (build the native preset first)" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "compare_tools.sh: hyperfine is needed" >&2; exit 2; }

mkdir -p "$dir"
[ -s "$dir/corpus.txt" ] || python3 "$here/make_corpus.py" "$dir"
if [ ! -s "$dir/accesslog.txt" ] && [ -f "$here/make_accesslog.py" ]; then
  python3 "$here/make_accesslog.py" "$dir/accesslog.txt" 2>/dev/null
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export LC_ALL=C  # the tools compare bytes, as linsift-cli does
results="$out/results.tsv"
: > "$results"

# bench KIND NAME FILE SEARCH OURS_COMMAND [TOOL_NAME TOOL_COMMAND]...
# The commands are shell text; $F is the file, $S the search text, $O the output file.
bench() {
  local kind=$1 name=$2 file=$3 search=$4 ours=$5
  shift 5
  export F=$file S=$search O=$out/o.txt
  # -i: grep exits with 1 when nothing matches, which is a result here, not a failure
  local args=(--runs "$RUNS" --warmup 1 -i --style none --export-json "$out/h.json" -n ours "$ours")
  local tools=()
  while [ $# -ge 2 ]; do
    args+=(-n "$1" "$2")
    tools+=("$1")
    shift 2
  done
  hyperfine "${args[@]}" >/dev/null 2>&1 || { echo "hyperfine failed on $name" >&2; return; }
  local peak
  /usr/bin/time -o "$out/peak" -f %M sh -c "exec $ours" >/dev/null 2>&1
  peak=$(tail -1 "$out/peak")
  python3 - "$out/h.json" "$kind" "$name" "$(basename "$file")" "$(stat -c %s "$file")" \
    "$peak" >> "$results" <<'PY'
import json, statistics, sys
path, kind, name, file, size, peak = sys.argv[1:]
runs = {r["command"]: statistics.median(r["times"]) for r in json.load(open(path))["results"]}
ours = runs.pop("ours")
best_name, best = min(runs.items(), key=lambda kv: kv[1]) if runs else ("-", float("nan"))
print("\t".join([kind, name, file, "%.4f" % ours, best_name, "%.4f" % best, size, peak]))
PY
}

corpus=$dir/corpus.txt
hyou=$(printf '\xe8\xa1\xa8\xe7\xa4\xba' | iconv -f UTF-8 -t CP932)  # 表示 in Shift_JIS

run_filters() {  # FILE SEARCH KIND
  local f=$1 s=$2 kind=$3
  bench "$kind" extract "$f" "$s" '"$CLI" extract "$S" "$F" > "$O" 2>/dev/null' \
    grep-F 'grep -F -- "$S" "$F" > "$O"'
  bench "$kind" count "$f" "$s" '"$CLI" count "$S" "$F" > "$O"' \
    grep-cF 'grep -cF -- "$S" "$F" > "$O"'
  bench "$kind" delete "$f" "$s" '"$CLI" delete "$S" "$F" > "$O" 2>/dev/null' \
    grep-vF 'grep -vF -- "$S" "$F" | grep -v "^$" > "$O"' \
    awk 'awk "index(\$0, ENVIRON[\"S\"]) == 0 && \$0 != \"\"" "$F" > "$O"'
  bench "$kind" delete-up-to "$f" "$s" '"$CLI" delete-up-to "$S" "$F" > "$O" 2>/dev/null' \
    awk 'awk "{ i = index(\$0, ENVIRON[\"S\"]); if (i > 1) \$0 = substr(\$0, i); if (\$0 != \"\") print }" "$F" > "$O"' \
    perl 'perl -ne "\$i = index(\$_, \$ENV{S}); \$_ = substr(\$_, \$i) if \$i > 0; print if \$_ ne qq(\\n)" "$F" > "$O"'
}
# Expressions and ignore-case, each against grep with the same option: extract and count.
fileDir=$(printf '\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab.*\xe3\x83\x87\xe3\x82\xa3\xe3\x83\xac\xe3\x82\xaf\xe3\x83\x88\xe3\x83\xaa' |
  iconv -f UTF-8 -t CP932)  # ファイル.*ディレクトリ in Shift_JIS
run_search_kinds() {  # FILE KIND
  local f=$1 kind=$2 s
  for s in "$fileDir" 'ERROR.*timeout' '[0-9]{4}-[0-9]{2}'; do
    local name=regex-literal
    [ "$s" = '[0-9]{4}-[0-9]{2}' ] && name=regex-other
    bench "$kind" "$name" "$f" "$s" '"$CLI" -E extract "$S" "$F" > "$O" 2>/dev/null' \
      grep-E 'grep -E -- "$S" "$F" > "$O"'
    bench "$kind" "$name-count" "$f" "$s" '"$CLI" -E count "$S" "$F" > "$O"' \
      grep-cE 'grep -cE -- "$S" "$F" > "$O"'
  done
  bench "$kind" ignore-case "$f" error '"$CLI" -i extract "$S" "$F" > "$O" 2>/dev/null' \
    grep-iF 'grep -iF -- "$S" "$F" > "$O"'
  bench "$kind" ignore-case-count "$f" error '"$CLI" -i count "$S" "$F" > "$O"' \
    grep-ciF 'grep -ciF -- "$S" "$F" > "$O"'
}
export CLI=$cli
RUNS=5

if [ "$gigabyte" = 1 ]; then
  big=$dir/gigabyte.txt
  trap 'rm -rf "$out" "$big"' EXIT
  for _ in $(seq 25); do cat "$corpus"; done > "$big"
  RUNS=3
  [ "$searchKinds" != 2 ] && run_filters "$big" "$hyou" gigabyte
  [ "$searchKinds" != 0 ] && run_search_kinds "$big" gigabyte
  # perl+nkf is slower than nkf --url-input on large texts; at 1 GB only the faster one runs.
  [ "$searchKinds" != 2 ] && bench gigabyte convert "$big" "" '"$CLI" convert "$F" > "$O" 2>/dev/null' \
    nkf--url-input 'nkf -s --url-input "$F" > "$O"'
elif [ "$searchKinds" = 2 ]; then
  run_search_kinds "$corpus" corpus
else
  run_filters "$corpus" "$hyou" corpus
  [ "$searchKinds" = 1 ] && run_search_kinds "$corpus" corpus
  percent='perl -pe "s/%([0-9A-Fa-f]{2})/chr(hex(\$1))/ge" "$F" | nkf -s > "$O"'
  bench corpus convert "$corpus" "" '"$CLI" convert "$F" > "$O" 2>/dev/null' \
    perl+nkf "$percent" nkf--url-input 'nkf -s --url-input "$F" > "$O"'
  if [ -s "$dir/accesslog.txt" ]; then
    bench accesslog convert "$dir/accesslog.txt" "" '"$CLI" convert "$F" > "$O" 2>/dev/null' \
      perl+nkf "$percent" nkf--url-input 'nkf -s --url-input "$F" > "$O"'
    run_filters "$dir/accesslog.txt" "search" accesslog
  fi
  run_filters "$dir/long_line.txt" "$(printf 'a%.0s' $(seq 254))b" pathological
  bench pathological convert "$dir/long_line.txt" "" '"$CLI" convert "$F" > "$O" 2>/dev/null'
  run_filters "$dir/many_lines.txt" "a" pathological
  bench pathological convert "$dir/many_lines.txt" "" '"$CLI" convert "$F" > "$O" 2>/dev/null'
fi

python3 - "$results" <<'PY'
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1])]
print("%-12s %-13s %-16s %9s  %-14s %9s %7s %9s %6s  %s" % (
    "set", "command", "file", "linsift s", "best tool", "tool s", "ratio", "peak KB", "x text",
    "target"))
failed = 0
for kind, name, file, ours, tool, best, size, peak in rows:
    ours, best, size = float(ours), float(best), int(size)
    peak_kb = int(peak) if peak.isdigit() else 0
    ratio = best / ours if ours > 0 and best == best else float("nan")
    times_text = peak_kb * 1024 / size if size else 0
    goals = []
    if name.startswith("regex-other"):
        goals.append(("within 4x grep", ours <= 4 * best))
    elif name.startswith(("regex-literal", "ignore-case")):
        goals.append(("within 1.5x grep", ours <= 1.5 * best))
    elif kind == "pathological":
        goals.append(("< 0.5 s", ours < 0.5))
    elif kind == "gigabyte":
        goals.append(("faster than tools", ratio > 1))
    elif name in ("delete", "delete-up-to", "convert"):
        goals.append(("faster than tools", ratio > 1))
    else:
        goals.append(("within 3x grep", ours <= 3 * best))
    if kind == "gigabyte":
        goals.append(("mem < 256 MB", peak_kb < 256 * 1024))
    else:
        goals.append(("mem <= 5x", times_text <= 5))
    verdict = ", ".join("%s %s" % (g, "ok" if ok else "MISSED") for g, ok in goals)
    failed += sum(1 for _, ok in goals if not ok)
    print("%-12s %-13s %-16s %9.4f  %-14s %9.4f %7.2f %9d %6.2f  %s" % (
        kind, name, file, ours, tool, best, ratio, peak_kb, times_text, verdict))
print("targets missed: %d" % failed)
PY
