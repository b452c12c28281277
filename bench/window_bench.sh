#!/usr/bin/env bash
# Speed and memory of the window under Wine.
#   bench/window_bench.sh                     every command on a generated 5,000,000-byte
#                                             Shift_JIS text (start with it on the command
#                                             line, open through a drop, 抽出, 元に戻す,
#                                             やり直し, a scroll to the end, the other
#                                             buttons, both conversions), each timed to its
#                                             final paint, wall and CPU time; the peak
#                                             working set and the working set over ten
#                                             loads of the file; the same on 39,999,999
#                                             bytes; then 10,000,000 one-character lines
#   bench/window_bench.sh --press [BYTES...]  抽出 on texts of each size (default 1000000
#                                             4000000), split into reading the pane, the
#                                             filter and writing the pane
#   bench/window_bench.sh --repeat BYTES [N]  write the text and its half N times (10) by
#                                             turns: every write should take about as
#                                             long as the first two, never more each time
# Each size runs in its own process, so one figure does not inherit another's heap.
# What each mode measures and the figures behind the pane's design: bench/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${LINSIFT_BUILD_DIR:-build/mingw}
bash scripts/setup.sh >/dev/null
[ -f "$build/build.ninja" ] || cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target window_driver -j "${LINSIFT_JOBS:-2}" >/dev/null
driver=$PWD/$build/bin/window_driver.exe

run() { scripts/wine.sh wine "$driver" "$@" 2> >(grep -v 'Read access denied' >&2); }

case "${1:-}" in
  --repeat)
    run repeat "$2" "${3:-10}"
    ;;
  --press)
    shift
    sizes=("$@")
    [ ${#sizes[@]} -gt 0 ] || sizes=(1000000 4000000)
    for n in "${sizes[@]}"; do run bench "$n"; done
    ;;
  *)
    run commands 5000000 10 all
    run commands 39999999 10 all
    run lines 10000000
    ;;
esac
