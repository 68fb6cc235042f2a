#!/usr/bin/env bash
# Fetches the test images that ship with libpng's source (contrib/pngsuite and contrib/testpngs)
# from Debian's source package and caches them outside the checkout, keyed by libpng's version.
# Prints the cache folder; with LINK, also makes LINK a symbolic link to it.
# Usage: scripts/fetch-png-test-images.sh [LINK]
# GRALITH_CACHE_DIR overrides the cache root (default ${XDG_CACHE_HOME:-~/.cache}/gralith).
set -euo pipefail

link=${1:-}
# The images are compared against the installed libpng, so the copy must come from its version.
version=$(dpkg-query -W -f='${source:Upstream-Version}' libpng-dev)
cache_root=${GRALITH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/gralith}
cache="$cache_root/libpng-$version-test-images"

if [ ! -f "$cache/complete" ]; then
  mkdir -p "$cache_root"
  work=$(mktemp -d "$cache_root/fetch.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  source "$(dirname "${BASH_SOURCE[0]}")/lib/debian-source.sh"
  debian_source_apt "$work"
  debian_source_update
  debian_source_fetch "$work/download" libpng1.6
  tarball=$(ls "$work/download"/libpng1.6_"$version".orig.tar.* 2>/dev/null | head -n 1)
  if [ -z "$tarball" ]; then
    echo "fetch-png-test-images: no libpng $version source in Debian's archive" >&2
    exit 1
  fi
  tar -xf "$tarball" -C "$work" --wildcards '*/contrib/pngsuite/*' '*/contrib/testpngs/*'
  mkdir -p "$work/images"
  mv "$work"/libpng-*/contrib/pngsuite "$work"/libpng-*/contrib/testpngs "$work/images/"
  touch "$work/images/complete"
  # Renaming into place is atomic, so a concurrent fetch never sees half a folder; if another
  # one won the race its copy is as good as ours.
  mv -T "$work/images" "$cache" 2>/dev/null || [ -f "$cache/complete" ]
fi

if [ -n "$link" ]; then
  ln -sfn "$cache" "$link"
fi
echo "$cache"
