#!/usr/bin/env bash
# Runs a command inside a Wine session fit for Linsift's Windows programs:
#   - a prepared 64-bit prefix (made once): no window manager waits, no crash dialog;
#   - the ja_JP.UTF-8 locale, which gives Wine the ANSI code page 932;
#   - a persistent wineserver with its services started apart from the command, so
#     ctest neither waits on them nor inherits their pipes;
#   - a display: the caller's DISPLAY, or a shared virtual one (Xvfb) started here.
# Usage: scripts/wine.sh CMD [ARGS...]   or   scripts/wine.sh --stop
set -euo pipefail

export WINEPREFIX=${LINSIFT_WINEPREFIX:-$HOME/.cache/linsift/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
unset LC_ALL
export LANG=ja_JP.UTF-8 LC_CTYPE=ja_JP.UTF-8 LC_MESSAGES=C.UTF-8
display_num=${LINSIFT_DISPLAY_NUM:-91}
state_dir=$HOME/.cache/linsift
mkdir -p "$state_dir"

if [ "${1:-}" = "--stop" ]; then
  wineserver -k 2>/dev/null || true
  if [ -f "$state_dir/xvfb.pid" ]; then
    kill "$(cat "$state_dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$state_dir/xvfb.pid"
  fi
  exit 0
fi
[ $# -gt 0 ] || { echo "usage: scripts/wine.sh CMD [ARGS...] | --stop" >&2; exit 2; }

# One caller at a time prepares the prefix, the display and the server.
exec 9>"$state_dir/session.lock"
flock 9

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:$display_num
  if ! xdpyinfo >/dev/null 2>&1; then
    setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$state_dir/xvfb.pid"
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 || { echo "wine.sh: Xvfb did not start on $DISPLAY" >&2; exit 1; }
  fi
fi

if [ ! -f "$WINEPREFIX/.linsift-ready" ]; then
  echo "wine.sh: preparing the Wine prefix $WINEPREFIX (once)" >&2
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  # Without a window manager every top-level close waits 2 s unless Wine manages none.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.linsift-ready"
fi
# Wine draws the title bar's buttons with Marlett, which it does not take from fonts-wine's
# folder here (they come out as "0 1 r"); from the prefix's own Fonts folder it does.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

# The server outlives each command by a minute, so back-to-back runs start warm.
setsid wineserver -p60 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
flock -u 9
exec 9>&-

exec "$@"
