#!/usr/bin/env bash
# Tests the downloads as a user gets them (a few minutes: it prepares a Wine prefix afresh, so
# scripts/test.sh does not run it):
#   - the zip, unpacked into a fresh folder and run in a fresh Wine prefix: linsift.exe starts
#     with a file on its command line, 抽出 runs from the keyboard (the settings file it then
#     writes names the search and the file), and linsift-cli.exe filters a Shift_JIS file to
#     the same bytes as the native one;
#   - two packagings of one commit give the same zip;
#   - the .deb unpacked into a clean folder root runs: linsift-cli --version, a filter, its man page.
# Usage: scripts/package_test.sh   (ends with "package_test: ok" or the first failure)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fail() { echo "package_test: FAILED: $*" >&2; exit 1; }

scripts/package.sh --deb >/dev/null
version=$(sed -n 's/^#define LINSIFT_VERSION "\(.*\)"$/\1/p' build/package/generated/version/LinsiftVersion.h)
zip=$root/dist/linsift-$version-win64.zip
deb=$root/dist/linsift-cli_${version}_$(dpkg --print-architecture).deb
first=$(sha256sum <"$zip")
# Again from a clean build: the same bytes.
cmake --build build/package --target clean >/dev/null
scripts/package.sh >/dev/null
[ "$(sha256sum <"$zip")" = "$first" ] || fail "two packagings of one commit differ"

work=$(mktemp -d "$root/build/package_test.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 -m zipfile -e "$zip" "$work/unpacked"
for f in linsift.exe nkf32.dll linsift-cli.exe はじめに.txt licenses/Scintilla.txt; do
  [ -f "$work/unpacked/$f" ] || fail "$f is not in the zip"
done
iconv -f CP932 -t UTF-8 <"$work/unpacked/はじめに.txt" | grep -q "$version" || fail "the guide is not Shift_JIS"

# A Shift_JIS text: 東京 in two lines, 表 (95 5C) as a trap for a byte-wise match of '\'.
printf '\x93\x8c\x8b\x9e\x93\x73\r\nabc\\\r\n\x95\x5c\r\n\x93\x8c\x8b\x9e\r\n' >"$work/text.txt"

# The .deb, unpacked into a clean root; its linsift-cli is the native reference.
dpkg -x "$deb" "$work/debroot"
cli=$work/debroot/usr/bin/linsift-cli
[ "$("$cli" --version)" = "linsift-cli $version" ] || fail "the .deb's linsift-cli --version"
[ -f "$work/debroot/usr/share/man/man1/linsift-cli.1.gz" ] || fail "no man page in the .deb"
"$cli" --utf8 extract 東京 "$work/text.txt" >"$work/native.out" 2>/dev/null
[ "$(wc -l <"$work/native.out")" = 2 ] || fail "the native filter kept the wrong lines"

# A fresh prefix of its own, beside the usual one.
export LINSIFT_WINEPREFIX=$HOME/.cache/linsift/package-test-prefix
rm -rf "$LINSIFT_WINEPREFIX"
export WORK=$work
scripts/wine.sh bash -c '
  set -euo pipefail
  cd "$WORK/unpacked"
  wine linsift-cli.exe --utf8 extract 東京 "$(winepath -w "$WORK/text.txt")" >"$WORK/wine.out" 2>/dev/null
  wine linsift.exe "$(winepath -w "$WORK/text.txt")" >/dev/null 2>&1 &
  pid=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "Linsift" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "linsift.exe showed no window" >&2; kill $pid; exit 1; }
  sleep 1
  xdotool windowfocus --sync "$window" type --delay 50 abc
  xdotool key --window "$window" Return
  sleep 1
  import -window "$window" "$WORK/shot.png" 2>/dev/null || true
  xdotool key --window "$window" alt+F4 2>/dev/null || true
  for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill $pid 2>/dev/null || true
  appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d "\r")")
  cp "$appdata/Linsift/linsift.ini" "$WORK/linsift.ini" 2>/dev/null || true
'
scripts/wine.sh --stop
cmp -s "$work/native.out" "$work/wine.out" || fail "linsift-cli.exe under Wine differs from the native one"
[ -f "$work/linsift.ini" ] || fail "linsift.exe wrote no settings (did it start?)"
grep -q '^Text1=abc' "$work/linsift.ini" || fail "抽出 did not run with the typed search: $(cat "$work/linsift.ini")"
grep -q '^Recent1=.*text\.txt' "$work/linsift.ini" || fail "the command-line file was not loaded"
cp "$work/shot.png" build/package_test-screenshot.png 2>/dev/null || true
echo "package_test: ok ($zip, $deb)"
