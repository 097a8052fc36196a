#!/usr/bin/env bash
# Scales the day and night Earth pictures to the world map's 898 x 450 and
# stores them as 24-bit BMP skins. Run once by hand; the BMPs are committed,
# so the build never needs the source pictures.
#   scripts/make_skins.sh [FOLDER_WITH_earth_day.jpg_AND_earth_night.jpg]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source_dir="${1:-$here/../data/reference}"
out="$here/res/skins"
mkdir -p "$out"
for side in day night; do
  convert "$source_dir/earth_$side.jpg" -resize '898x450!' -type TrueColor \
    "BMP3:$out/$side.bmp"
done
# The small skins, resource bitmaps and toolbar strip are drawn in code.
python3 "$here/scripts/draw_icons.py" "$here/res"
