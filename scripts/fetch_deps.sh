#!/usr/bin/env bash
# Fetches the source packages the Windows build compiles, each pinned to one version, from
# Debian's archive into a cache outside the source tree, and unpacks them once:
#   $LINSIFT_DEPS_DIR/scintilla-5.3.3     (from Debian's scite 5.3.3-1)
#   $LINSIFT_DEPS_DIR/oniguruma-6.9.8     (from Debian's libonig 6.9.8-1)
# apt checks each file against the signed .dsc. The system's own apt sources are left alone:
# the deb-src list, the package lists and the downloads live in the cache. A machine that
# already has the unpacked sources needs no network.
# Usage: scripts/fetch_deps.sh   (prints nothing on success but one line per package fetched)
set -euo pipefail

deps_dir=${LINSIFT_DEPS_DIR:-$HOME/.cache/linsift/deps}
apt_dir=$deps_dir/apt

# package debian-version orig-tarball folder-in-tarball unpacked-name
pins=(
  "scite 5.3.3-1 scite_5.3.3.orig.tar.gz scintilla scintilla-5.3.3"
  "libonig 6.9.8-1 libonig_6.9.8.orig.tar.gz oniguruma-6.9.8 oniguruma-6.9.8"
)

apt_ready=false
prepare_apt() {
  $apt_ready && return 0
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  local uri
  uri=$(grep -h -m1 '^URIs:' /etc/apt/sources.list.d/debian.sources 2>/dev/null | awk '{print $2}')
  {
    echo 'Types: deb-src'
    echo "URIs: ${uri:-http://deb.debian.org/debian}"
    echo 'Suites: bookworm'
    echo 'Components: main'
    echo 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'
  } >"$apt_dir/linsift-src.sources"
  apt-get "${apt_opts[@]}" -qq update
  apt_ready=true
}
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")

for pin in "${pins[@]}"; do
  read -r package version tarball folder name <<<"$pin"
  [ -f "$deps_dir/$name/.linsift-unpacked" ] && continue
  if [ ! -f "$apt_dir/$tarball" ]; then
    if ! prepare_apt >/dev/null 2>&1 ||
      ! (cd "$apt_dir" && apt-get "${apt_opts[@]}" -qq source --download-only "$package=$version") >/dev/null 2>&1; then
      echo "fetch_deps: cannot fetch Debian's source package $package $version and $deps_dir/$name is not there; connect to Debian's archive once" >&2
      exit 1
    fi
  fi
  rm -rf "$deps_dir/$name" "$deps_dir/$name.tmp"
  mkdir -p "$deps_dir/$name.tmp"
  tar -xzf "$apt_dir/$tarball" -C "$deps_dir/$name.tmp" "$folder"
  mv "$deps_dir/$name.tmp/$folder" "$deps_dir/$name"
  rmdir "$deps_dir/$name.tmp"
  touch "$deps_dir/$name/.linsift-unpacked"
  echo "fetch_deps: $package $version unpacked into $deps_dir/$name"
done
