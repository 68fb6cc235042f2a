#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Idempotent.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  cmake g++ pkg-config make git ccache libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  # engine libraries
  libtinyxml-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev libogg-dev libvorbis-dev
  libkissfft-dev zlib1g-dev
  # platform: window, GL, input, audio, dialogs
  libsdl2-dev libgtk-3-dev libegl-dev libgl-dev libegl1-mesa-dev libgl1-mesa-dri libegl-mesa0 libglx-mesa0
  # shader translation of Cg source text
  glslang-dev glslang-tools spirv-tools spirv-headers libspirv-cross-c-shared-dev
  # headless display, input automation, screenshots, fonts, video
  xvfb xauth xdotool imagemagick fonts-dejavu-core ffmpeg libx11-dev
  # window titles and properties in the executable's tests
  x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
