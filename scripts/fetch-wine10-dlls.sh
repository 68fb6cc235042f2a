#!/usr/bin/env bash
# Fetches the Direct3D DLLs of Wine 10 for the Windows tests under Wine 8: Wine 8's own shader
# compiler cannot build real Shader Model 3 HLSL, Wine 10's can, and its PE builds load into
# Wine 8 when they sit beside the executable. They come from Debian trixie's libwine package,
# downloaded through a private apt configuration (the system's stays untouched), and are cached
# outside the checkout keyed by the package's version. Prints the folder holding d3d9.dll,
# wined3d.dll, d3dx9_43.dll and d3dcompiler_47.dll.
# Usage: dlls=$(scripts/fetch-wine10-dlls.sh)   or   scripts/fetch-wine10-dlls.sh DIR (copies them into DIR)
# Run the programs with WINEDLLOVERRIDES="d3d9,wined3d,d3dx9_43,d3dcompiler_47=n,b" (wine10_overrides).
# GRALITH_CACHE_DIR overrides the cache root (default ${XDG_CACHE_HOME:-~/.cache}/gralith);
# GRALITH_WINE10_VERSION the package version (default 10.0~repack-6; empty: the archive's current).
set -euo pipefail

# With a folder argument: the DLLs are copied there, beside the programs that use them.
if [ $# -gt 0 ]; then
  from=$("$0")
  mkdir -p "$1"
  for d in d3d9.dll wined3d.dll d3dx9_43.dll d3dcompiler_47.dll; do
    cmp -s "$from/$d" "$1/$d" || cp "$from/$d" "$1/$d"
  done
  exit 0
fi

cache_root=${GRALITH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/gralith}
version=${GRALITH_WINE10_VERSION-10.0~repack-6}
dlls=(d3d9.dll wined3d.dll d3dx9_43.dll d3dcompiler_47.dll)

mkdir -p "$cache_root"
if [ -n "$version" ] && [ -f "$cache_root/wine10-dlls-$version/complete" ]; then
  echo "$cache_root/wine10-dlls-$version"
  exit 0
fi
exec 9>"$cache_root/wine10-dlls.lock"
flock 9

state="$cache_root/wine10-apt"
mkdir -p "$state/lists/partial" "$state/cache/archives/partial"
echo "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "http://deb.debian.org/debian trixie main" >"$state/sources.list"
apt=(apt-get -q -o Dir::Etc::SourceList="$state/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache"
     -o APT::Sandbox::User="$(id -un)")
if [ -z "$(find "$state/lists" -maxdepth 1 -name '*Packages*' 2>/dev/null)" ]; then
  "${apt[@]}" update >&2
fi
if [ -z "$version" ]; then
  version=$("${apt[@]}" download --print-uris libwine 2>/dev/null | sed -n "s/^'[^']*' libwine_\([^ ]*\)_amd64\.deb .*/\1/p")
  version=${version//%7e/\~}
  [ -n "$version" ] || { echo "fetch-wine10-dlls: no libwine in trixie's index" >&2; exit 1; }
fi
dir="$cache_root/wine10-dlls-$version"
if [ -f "$dir/complete" ]; then
  echo "$dir"
  exit 0
fi

work=$(mktemp -d "$cache_root/wine10-dlls.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && "${apt[@]}" download "libwine=$version" >&2)
deb=$(ls "$work"/libwine_*.deb)
members=()
for d in "${dlls[@]}"; do
  members+=("./usr/lib/x86_64-linux-gnu/wine/x86_64-windows/$d")
done
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" "${members[@]}"

rm -rf "$dir"
mkdir -p "$dir"
for d in "${dlls[@]}"; do
  cp "$work/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/$d" "$dir/$d"
  # Wine 8 replaces a DLL carrying the 16-byte "Wine builtin DLL" tag by its own built-in.
  dd if=/dev/zero of="$dir/$d" bs=1 seek=64 count=16 conv=notrunc status=none
  x86_64-w64-mingw32-strip --strip-debug "$dir/$d"
done
echo "libwine $version" >"$dir/complete"
echo "$dir"
