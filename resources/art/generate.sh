#!/usr/bin/env bash
# Renders the SVG sources under resources/art into resources/Resources as PNGs at
# 1x and 2x ("name@2x.png", picked by Qt on high-density screens). The PNGs are
# committed, so only changing the art needs this.
set -euo pipefail
ART="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
OUT="$ART/../Resources"
if ! command -v rsvg-convert >/dev/null; then
    sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
# Full-screen backgrounds are scaled to the screen anyway: one size is enough.
ONE_SIZE_ONLY="Skins/"
cd "$ART"
find . -name '*.svg' | sort | while read -r svg; do
    rel="${svg#./}"
    base="$OUT/${rel%.svg}"
    mkdir -p "$(dirname "$base")"
    rsvg-convert -z 1 "$svg" -o "$base.png"
    case "$rel" in
        $ONE_SIZE_ONLY*) ;;
        *) rsvg-convert -z 2 "$svg" -o "$base@2x.png" ;;
    esac
done
echo "art rendered into $OUT"
