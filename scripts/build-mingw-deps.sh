#!/usr/bin/env bash
# Builds the static MinGW-w64 libraries the Windows build links, from Debian's source packages
# (Debian has MinGW builds of zlib only), and caches them outside the checkout, keyed by the
# packages' versions, the compiler's version and this script's content. Prints the prefix.
# Usage: export GRALITH_MINGW_PREFIX=$(scripts/build-mingw-deps.sh)
# GRALITH_CACHE_DIR overrides the cache root (default ${XDG_CACHE_HOME:-~/.cache}/gralith);
# GRALITH_JOBS the build's parallelism (default: the number of processors).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
toolchain="$root/cmake/toolchains/mingw-w64-x86_64.cmake"
triplet=x86_64-w64-mingw32
jobs=${GRALITH_JOBS:-$(nproc)}
cache_root=${GRALITH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/gralith}
packages=(libpng1.6 libjpeg-turbo freetype tinyxml libogg libvorbis kissfft glslang spirv-cross googletest)

mkdir -p "$cache_root"
# One build at a time; a second caller waits and then finds the first one's result.
exec 9>"$cache_root/mingw.lock"
flock 9

source "$here/lib/debian-source.sh"
apt_state="$cache_root/debian-source-apt"
debian_source_apt "$apt_state"
# The source index is fetched once a day at most, so a warm run needs no network.
if [ -z "$(find "$apt_state/lists" -maxdepth 1 -name '*Sources*' -mtime -1 2>/dev/null)" ]; then
  debian_source_update || echo "build-mingw-deps: could not refresh the source index; using the one cached" >&2
fi

versions=()
for p in "${packages[@]}"; do
  v=$(debian_source_version "$p")
  if [ -z "$v" ]; then
    echo "build-mingw-deps: no source package $p in Debian's archive" >&2
    exit 1
  fi
  versions+=("$p=$v")
done
key=$( {
  printf '%s\n' "${versions[@]}"
  dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
  cat "${BASH_SOURCE[0]}" "$here/lib/debian-source.sh" "$toolchain"
} | sha256sum | cut -c1-16)
prefix="$cache_root/mingw-$key"
if [ -f "$prefix/complete" ]; then
  echo "$prefix"
  exit 0
fi

echo "build-mingw-deps: building into $prefix" >&2
# Unfinished builds (an interrupted run) are of no use to anyone; the lock says none is running.
for stale in "$cache_root"/mingw-*; do
  if [ -d "$stale" ] && [ ! -f "$stale/complete" ]; then rm -rf "$stale"; fi
done
work=$(mktemp -d "$cache_root/mingw-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
debian_source_fetch "$work/download" "${packages[@]}" 2>"$work/fetch.log" || { cat "$work/fetch.log" >&2; exit 1; }
mkdir -p "$work/src"
for p in "${packages[@]}"; do
  dsc=$(ls "$work/download/${p}_"*.dsc)
  dpkg-source -x --no-check "$dsc" "$work/src/$p" >/dev/null 2>>"$work/fetch.log"
done

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths relative to the scratch folder, whose name changes every run.
  export CCACHE_BASEDIR="$work" CCACHE_NOHASHDIR=1
fi
zlib=(-DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$triplet/include")

# cmake_package NAME [SOURCE-SUBFOLDER] -- OPTIONS...: configure, build and install one package.
cmake_package() {
  local name=$1 sub="" start=$SECONDS
  shift
  if [ "$1" != "--" ]; then sub=/$1; shift; fi
  shift
  echo "build-mingw-deps: $name" >&2
  cmake -S "$work/src/$name$sub" -B "$work/build/$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DGRALITH_MINGW_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    "${launcher[@]}" "$@" >"$work/$name.log" 2>&1 ||
    { tail -n 40 "$work/$name.log" >&2; exit 1; }
  { cmake --build "$work/build/$name" -j "$jobs" && cmake --install "$work/build/$name"; } \
    >>"$work/$name.log" 2>&1 || { tail -n 40 "$work/$name.log" >&2; exit 1; }
  echo "build-mingw-deps: $name took $((SECONDS - start)) s" >&2
}

cmake_package libpng1.6 -- "${zlib[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF
# NASM assembles its SIMD code. It picks its own library folder inside the prefix.
cmake_package libjpeg-turbo -- -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DCMAKE_ASM_NASM_COMPILER=nasm
cmake_package freetype -- "${zlib[@]}" -DFT_REQUIRE_ZLIB=ON -DFT_REQUIRE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON
cmake_package libogg -- -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
cmake_package libvorbis -- -DBUILD_TESTING=OFF
# Absolute folders: on a Windows target KissFFT's relative defaults leave the prefix.
cmake_package kissfft -- -DKISSFFT_DATATYPE=float -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF \
  -DKISSFFT_TOOLS=OFF -DKISSFFT_PKGCONFIG=ON -DCMAKE_INSTALL_LIBDIR="$prefix/lib" \
  -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include" -DCMAKE_INSTALL_BINDIR="$prefix/bin"
cmake_package spirv-cross -- -DSPIRV_CROSS_SHARED=OFF -DSPIRV_CROSS_STATIC=ON -DSPIRV_CROSS_CLI=OFF \
  -DSPIRV_CROSS_ENABLE_TESTS=OFF -DSPIRV_CROSS_ENABLE_MSL=OFF -DSPIRV_CROSS_ENABLE_CPP=OFF \
  -DSPIRV_CROSS_ENABLE_C_API=OFF
cmake_package googletest -- -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

# glslang: its source package is in Debian's old format, so its pkg-config patches (which
# demand SPIRV-Tools, unused here: no optimizer) are not applied; the two modules are written
# below. The default-limits library is only built with the binaries.
cmake_package glslang -- -DENABLE_OPT=OFF -DENABLE_HLSL=ON -DENABLE_GLSLANG_BINARIES=ON \
  -DENABLE_CTEST=OFF -DBUILD_EXTERNAL=OFF -DENABLE_SPVREMAPPER=ON -DENABLE_PCH=OFF

# TinyXML has no build system; Debian compiles three files with TIXML_USE_STL (also forced by
# its patched tinyxml.h).
echo "build-mingw-deps: tinyxml" >&2
mkdir -p "$work/build/tinyxml" "$prefix/lib/pkgconfig" "$prefix/include"
for f in tinyxml tinyxmlparser tinyxmlerror; do
  $triplet-g++-posix -O2 -DTIXML_USE_STL -c "$work/src/tinyxml/$f.cpp" -o "$work/build/tinyxml/$f.o"
done
$triplet-ar rcs "$prefix/lib/libtinyxml.a" "$work/build/tinyxml"/*.o
install -m 644 "$work/src/tinyxml/tinyxml.h" "$prefix/include/"

# pkg-config modules of the same names as Debian's, for the libraries that install none.
pc() {
  local name=$1 libs=$2 version=$3 requires=${4:-}
  cat >"$prefix/lib/pkgconfig/$name.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $name
Description: $name for $triplet (static)
Version: $version
Requires: $requires
Libs: -L\${libdir} $libs
Cflags: -I\${includedir}
PC
}
pc tinyxml "-ltinyxml" 2.6.2
pc glslang "-lglslang -lMachineIndependent -lOSDependent -lHLSL -lOGLCompiler -lGenericCodeGen -lSPVRemapper" 12.0.0
pc spirv "-lSPIRV" 1.3 glslang

printf '%s\n' "${versions[@]}" >"$prefix/versions"
touch "$prefix/complete"
echo "$prefix"
