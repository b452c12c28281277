#!/usr/bin/env bash
# Speed and memory of the window under Wine.
#   bench/window_bench.sh                     every command on a generated 5,000,000-byte
#                                             Shift_JIS text (open through a drop, the four
#                                             buttons, both conversions), each timed to its
#                                             final paint, wall and CPU time; the peak
#                                             working set and the working set over ten
#                                             loads of the file; then open + 抽出 on
#                                             20,000,000 bytes
#   bench/window_bench.sh --press [BYTES...]  抽出 on texts of each size (default 1000000
#                                             4000000), split into reading the pane, the
#                                             filter and writing the pane
#   bench/window_bench.sh --methods BYTES     compare the ways of filling the pane
#   bench/window_bench.sh --replace BYTES     compare the ways of replacing its text
#   bench/window_bench.sh --repeat BYTES [N]  write the text and its half N times (10) by
#                                             turns: every write should take about as
#                                             long as the first two, never more each time
# Each size runs in its own process: Wine's RichEdit leaves a process slower after a
# large text has been in a pane, which would spoil the next figure.
# What each mode measures and the figures behind the pane's design: bench/README-window.md.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${LINSIFT_BUILD_DIR:-build/mingw}
bash scripts/setup.sh >/dev/null
[ -f "$build/build.ninja" ] || cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" --target window_driver -j "${LINSIFT_JOBS:-2}" >/dev/null
driver=$PWD/$build/bin/window_driver.exe

run() { scripts/wine.sh wine "$driver" "$@" 2> >(grep -v 'Read access denied' >&2); }

case "${1:-}" in
  --methods)
    for i in 0 1 2 3 4 5 6 7 8 9 10; do run methods "$2" "$i" | grep -v '^text' || true; done
    ;;
  --replace)
    for i in 0 1 2 3; do run replace "$2" "$i" | grep -v '^replace' || true; done
    ;;
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
    run commands 20000000 0 open-filter
    ;;
esac
