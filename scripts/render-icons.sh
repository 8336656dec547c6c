#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG. Run after changing the SVG and commit
# the PNGs with it: they are kept in the repository so that a build needs no SVG renderer.
# Needs rsvg-convert (Debian: apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons/hicolor"
name=org.tarnconfig.tarnconfig
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "${size}x${size}/apps/$name.png" "scalable/apps/$name.svg"
done
