#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Idempotent.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  cmake g++ pkg-config make git ccache libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  # engine libraries
  libtinyxml-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev libogg-dev libvorbis-dev
  libkissfft-dev zlib1g-dev
  # platform: window, GL, input, audio, dialogs
  libsdl2-dev libgtk-3-dev libegl-dev libgl-dev libegl1-mesa-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0
  # fsg-convert reads scenes from modelling tools (glTF, COLLADA, OBJ, FBX, ...) through the Open
  # Asset Import Library
  libassimp-dev
  # shader translation of Cg source text
  glslang-dev glslang-tools spirv-tools spirv-headers libspirv-cross-c-shared-dev
  # headless display, input automation, screenshots, fonts, video
  xvfb xauth xdotool imagemagick fonts-dejavu-core ffmpeg libx11-dev
  # window titles and properties in the executable's tests
  x11-utils
  # SDL's X11 message box draws with a core X font (12 point, any family); the server's built-in
  # "fixed" is semi-condensed and does not match, so without these the box never appears
  xfonts-base
  # GTK draws check boxes and other theme parts from SVG; without the loader it warns and leaves
  # them blank
  librsvg2-common
  # the locales the tests switch to, to show numbers in files read alike under any locale
  locales
  # the Windows build (scripts/test-windows.sh): MinGW-w64 GCC with the posix thread model and
  # zlib, NASM, dpkg-source and Python (glslang's build) for the libraries built from Debian's
  # source packages, Wine 8 to run the tests
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev nasm dpkg-dev python3 wine64
)
# Generated from /etc/locale.gen; named as in that file.
locales=(de_DE.UTF-8 fr_FR.UTF-8)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# "locale -a" spells de_DE.UTF-8 as de_DE.utf8.
ungenerated() {
  local available
  available=$(locale -a 2>/dev/null || true)
  for l in "${locales[@]}"; do
    grep -qxF "${l%.UTF-8}.utf8" <<<"$available" || echo "$l"
  done
}
mapfile -t lacking < <(ungenerated)
if [ ${#missing[@]} -eq 0 ] && [ ${#lacking[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages and ${#locales[@]} locales present"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#lacking[@]} -gt 0 ]; then
  echo "install-deps: generating ${lacking[*]}"
  for l in "${lacking[@]}"; do
    # Uncomment the locale's line; add it where the file lacks one.
    [ ! -f /etc/locale.gen ] || $sudo sed -i "s/^# *\(${l//./\\.} UTF-8\)\$/\1/" /etc/locale.gen
    grep -qxF "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen
fi
