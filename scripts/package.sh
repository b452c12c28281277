#!/usr/bin/env bash
# Builds the release configuration for Windows and writes the download a Windows user unpacks
# and runs:
#   scripts/package.sh          dist/linsift-VERSION-win64.zip
#   scripts/package.sh --deb    and dist/linsift-cli_VERSION_amd64.deb (the native linsift-cli)
# The zip holds linsift.exe, nkf32.dll, linsift-cli.exe, はじめに.txt (Shift_JIS, CR LF) and the
# licences of what is linked in. Its entries are sorted and dated at the commit's time, so two
# builds of one commit hold the same bytes. VERSION is the project's (CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

deb=false
for arg in "$@"; do
  case "$arg" in
    --deb) deb=true ;;
    -h | --help) sed -n '2,9p' "$0"; exit 0 ;;
    *) echo "package: unknown argument '$arg'" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh >/dev/null
jobs=${LINSIFT_JOBS:-2}
build=${LINSIFT_PACKAGE_BUILD_DIR:-build/package}
deps_dir=${LINSIFT_DEPS_DIR:-$HOME/.cache/linsift/deps}

# The commit's time dates every entry (and the man page); a tree outside git takes 1980.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}

# Stripped at the link: strip afterwards would stamp the time into each binary.
cmake --preset mingw -B "$build" -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s \
  -DCMAKE_SHARED_LINKER_FLAGS_RELEASE=-s >/dev/null
cmake --build "$build" --target linsift nkf32 linsift-cli -j "$jobs" >/dev/null
version=$(sed -n 's/^#define LINSIFT_VERSION "\(.*\)"$/\1/p' "$build/generated/version/LinsiftVersion.h")
bin=$build/bin

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$bin/linsift.exe" "$bin/nkf32.dll" "$bin/linsift-cli.exe" "$stage/"
sed "s/@VERSION@/$version/" packaging/guide-ja.txt | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' \
  >"$stage/はじめに.txt"

# licence FILE-IN-ZIP CANDIDATE...: the first candidate that exists.
licence() {
  local target=$1
  shift
  for candidate in "$@"; do
    if [ -f "$candidate" ]; then
      mkdir -p "$stage/licenses"
      cp "$candidate" "$stage/licenses/$target"
      return 0
    fi
  done
  echo "package: no licence text for $target (looked at $*); run scripts/fetch_deps.sh" >&2
  exit 1
}
# Scintilla and Oniguruma: beside the program once the build links them, else their sources.
licence Scintilla.txt "$bin/License.txt" "$deps_dir/scintilla-5.3.3/License.txt"
licence Oniguruma.txt "$bin/COPYING" "$deps_dir/oniguruma-6.9.8/COPYING"
# Every binary links the MinGW-w64 runtime and winpthreads, and libgcc and libstdc++ (under
# the GCC Runtime Library Exception), statically.
licence MinGW-w64-runtime.txt /usr/share/doc/mingw-w64-common/copyright
licence GCC-runtime.txt /usr/share/doc/gcc-mingw-w64-base/copyright

mkdir -p dist
zip=dist/linsift-$version-win64.zip
python3 - "$stage" "$root/$zip" <<'PY'
import os, sys, time, zipfile
stage, out = sys.argv[1], sys.argv[2]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
names = sorted(os.path.relpath(os.path.join(d, f), stage).replace(os.sep, "/")
               for d, _, files in os.walk(stage) for f in files)
with zipfile.ZipFile(out + ".part", "w") as z:
    for name in names:
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0  # MS-DOS attributes, as Windows' own zip writes them
        info.external_attr = 0x20  # archive
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
os.replace(out + ".part", out)
PY
echo "package: $zip"

$deb || exit 0

# The native linsift-cli, installed with its man page into a folder tree and packed as a .deb.
native=${LINSIFT_PACKAGE_NATIVE_DIR:-build/package-native}
[ -f "$native/build.ninja" ] || cmake --preset native -B "$native" -DCMAKE_BUILD_TYPE=Release \
  -DLINSIFT_BENCH=OFF >/dev/null
cmake --build "$native" --target linsift-cli nkf32 linsift-cli-man -j "$jobs" >/dev/null
tree=$stage/deb
DESTDIR=$tree cmake --install "$native" --prefix /usr --component cli >/dev/null
gzip -9n "$tree/usr/share/man/man1/linsift-cli.1"
arch=$(dpkg --print-architecture)
mkdir -p "$tree/DEBIAN"
{
  echo "Package: linsift-cli"
  echo "Version: $version"
  echo "Architecture: $arch"
  echo "Maintainer: Linsift developers <linsift@localhost>"
  echo "Depends: libc6, libstdc++6"
  echo "Section: text"
  echo "Priority: optional"
  echo "Description: exact, fast line filter for Japanese (Shift_JIS) text"
  echo " linsift-cli keeps or drops the lines of a text that contain a search text, counts"
  echo " them, or percent-decodes and converts them to Shift_JIS, on files and pipes of any"
  echo " size. Matching is by characters, so a byte inside a two-byte character never matches."
} >"$tree/DEBIAN/control"
find "$tree" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
package=dist/linsift-cli_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz -b "$tree" "$package" >/dev/null
echo "package: $package"
