#!/usr/bin/env bash
# Renders the show at key moments with halcyra-render and assembles docs/contact-sheet.png and
# the README's docs/screenshot.png. Usage: scripts/contact-sheet.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/halcyra-render" ]; then
  scripts/install-deps.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" -j "$(nproc)" --target halcyra-render
fi

times=3,6.25,9.5,13.3,15.1,18,26,31,35,39,43.2,47
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$build/halcyra-render" --data "$build/data" --size 640x400 --at "$times" --out "$frames"

# One labelled tile per time, four to a row.
labelled=()
for f in "$frames"/t*.png; do
  t=$(basename "$f" .png); t=${t#t}
  convert "$f" -gravity SouthWest -fill white -undercolor '#00000080' -pointsize 18 \
    -annotate +6+6 " ${t} s " "$f"
  labelled+=("$f")
done
montage "${labelled[@]}" -tile 4x -geometry +4+4 -background '#111111' docs/contact-sheet.png
"$build/halcyra-render" --data "$build/data" --size 1280x800 --at 18 --out "$frames/shot"
cp "$frames/shot/t018.000.png" docs/screenshot.png
echo "wrote docs/contact-sheet.png and docs/screenshot.png"
