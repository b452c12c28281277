#!/usr/bin/env bash
# Installs what Linsift's builds and tests need on Debian 12. Idempotent and quiet:
# packages already present are not fetched again, and the locale is generated once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build googletest libgtest-dev libbenchmark-dev libonig-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick x11-utils
  locales fonts-ipafont-gothic fonts-wine nkf manpages-ja groff-base hyperfine time python3
  parallel help2man icoutils zip unzip dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_=""
[ "$(id -u)" -eq 0 ] || sudo_="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the process locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $sudo_ sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo_ tee -a /etc/locale.gen >/dev/null
  $sudo_ locale-gen >/dev/null
fi
# The sources the Windows build compiles (Scintilla, Oniguruma), pinned, in a cache of their own.
bash "$(dirname "$0")/fetch_deps.sh"
echo "setup: all build and test packages present"
