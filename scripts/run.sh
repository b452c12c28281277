#!/usr/bin/env bash
# Builds what is missing and opens Linsift under Wine.
#   scripts/run.sh [--regex] [--ignore-case] [--search TEXT] [--press NAME] [--shot PNG] [FILE]
# FILE is loaded into the pane as linsift.exe loads its command line. TEXT (UTF-8, as typed
# in a terminal; Wine hands it over in code page 932) goes into the
# search box and NAME (extract, delete, deleteupto, count, sjis, url) is pressed once
# the window is up, --regex and --ignore-case tick the search options first; these run the
# window through window_driver.exe, which opens it exactly as linsift.exe does.
# With a display (DISPLAY set) the window stays until you close it. Without one, a
# virtual display (Xvfb) of its own is started: the script waits for the window, writes a screenshot
# of it (default build/linsift-screenshot.png, or PNG), prints its path and ends the
# program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

search="" press="" shot="" file=""
options=()
while [ $# -gt 0 ]; do
  case "$1" in
    --regex|--ignore-case) options+=("$1"); shift ;;
    --search) search=$2; shift 2 ;;
    --press) press=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
    *) file=$1; shift ;;
  esac
done
if [ -n "$file" ] && [ ! -e "$file" ]; then
  echo "run: no such file: $file" >&2
  exit 1
fi

bash scripts/setup.sh >/dev/null

build=${LINSIFT_BUILD_DIR:-build/mingw}
if [ ! -f "$build/build.ninja" ]; then
  cmake --preset mingw -B "$build" >/dev/null
fi
cmake --build "$build" --target linsift nkf32 window_driver -j "${LINSIFT_JOBS:-2}" >/dev/null

bin=$root/$build/bin
program=(wine "$bin/linsift.exe")
if [ -n "$search" ] || [ -n "$press" ] || [ ${#options[@]} -gt 0 ]; then
  program=(wine "$bin/window_driver.exe" show "${options[@]}")
  [ -n "$search" ] && program+=(--search "$search")
  [ -n "$press" ] && program+=(--press "$press")
fi

# Everything below runs inside the Wine session (prefix, locale, display).
export LINSIFT_FILE=$file LINSIFT_SHOT=${shot:-$root/build/linsift-screenshot.png}
interactive=1
if [ -z "${DISPLAY:-}" ]; then
  # A display of our own, so that no other program's window can cover the screenshot.
  interactive=0
  n=95
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
fi
export LINSIFT_INTERACTIVE=$interactive

scripts/wine.sh bash -c '
  set -euo pipefail
  args=("$@")
  if [ -n "$LINSIFT_FILE" ]; then args+=("$(winepath -w "$LINSIFT_FILE" 2>/dev/null)"); fi
  if [ "$LINSIFT_INTERACTIVE" = 1 ]; then exec "${args[@]}"; fi

  "${args[@]}" >/dev/null 2>&1 &
  pid=$!
  trap "kill $pid 2>/dev/null || true" EXIT
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid $pid --name "^Linsift\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 $pid 2>/dev/null || { echo "run: the program ended before its window showed" >&2; exit 1; }
    sleep 0.1
  done
  if [ -z "$window" ]; then echo "run: no window appeared" >&2; exit 1; fi
  sleep 1.5  # let it load, run the command and paint
  mkdir -p "$(dirname "$LINSIFT_SHOT")"
  import -window "$window" "$LINSIFT_SHOT"
  echo "run: screenshot of the Linsift window: $LINSIFT_SHOT"
' run "${program[@]}"
