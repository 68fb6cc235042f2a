#!/usr/bin/env bash
# Renders the heavy passage (42.71 - 45.0 s, the fourth card, then the fifth under the last
# flashes) with halcyra-render and assembles docs/images/heavy-passage.png: sixteen frames
# 0.15 s apart, so the kicks (every 0.47 s) and the falls between them both show.
# Usage: scripts/heavy-passage-sheet.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/halcyra-render" ]; then
  echo "no $build/halcyra-render: build the target halcyra-render first" >&2
  exit 1
fi

times=$(awk 'BEGIN { for (i = 0; i < 16; ++i) printf "%s%.2f", (i ? "," : ""), 42.71 + 0.15 * i }')
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
"$build/halcyra-render" --data "$build/data" --size 320x200 --at "$times" --out "$frames"

labelled=()
for f in "$frames"/t*.png; do
  t=$(basename "$f" .png); t=${t#t}
  convert "$f" -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -gravity SouthWest -fill white -undercolor '#00000080' -pointsize 12 \
    -annotate +4+4 " ${t} s " "$f"
  labelled+=("$f")
done
mkdir -p docs/images
# A 256-colour palette keeps the sheet small enough for the repository.
montage "${labelled[@]}" -tile 4x -geometry +3+3 -background '#111111' -colors 256 PNG8:docs/images/heavy-passage.png
echo "wrote docs/images/heavy-passage.png"
