#!/bin/sh
# Renders the icon sources in src/ to the PNGs that the program compiles in: 64 x 64 for the icons,
# 32 x 32 for the small style-sheet glyphs in style/ (check marks, arrows).
# Not part of the build: run it by hand after editing an SVG and commit the PNGs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/src"
for svg in *.svg titlebar/*.svg style/*.svg; do
    case "$svg" in
        style/*) size=32 ;;
        *) size=64 ;;
    esac
    png="$here/${svg%.svg}.png"
    mkdir -p "$(dirname "$png")"
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "$svg" --output "$png"
    echo "rendered ${png#"$here"/} (${size} px)"
done
