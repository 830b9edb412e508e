#!/usr/bin/env bash
# Redraws the toolbar pictures and the application icon's PNGs, then the
# contact sheet docs/images/toolbar-pictures.png. Run by hand from anywhere:
#
#   app/gui/pictures/tools/regenerate.sh
#
# Builds the generator (target drawpictures) in build/, and needs ImageMagick 6
# (montage, convert) for the contact sheet. scripts/test checks that the
# committed pictures are what the generator draws.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The generator is a CMake target outside the default build.
if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$root/build" --target drawpictures >/dev/null
QT_QPA_PLATFORM=offscreen "$root/build/app/gui/pictures/tools/drawpictures" "$root"

# Contact sheet: every toolbar picture at 4x (pixels kept square) with its
# name, then all of them at their real size on a toolbar-grey strip.
pics="$root/app/gui/pictures"
mapfile -t files < <(sed -n 's/^| `\([a-z0-9-]*\.png\)`.*/\1/p' "$pics/README.md")
if [ "${#files[@]}" -eq 0 ]; then
    echo "regenerate: no pictures listed in app/gui/pictures/README.md" >&2
    exit 1
fi
# The table in the README must name exactly the pictures that were drawn.
drawn="$(sed -n 's|^    <file>\([a-z0-9-]*\.png\)</file>$|\1|p' "$pics/toolbar.qrc" | grep -v '^quillet-' | sort)"
listed="$(printf '%s\n' "${files[@]}" | grep -v '^quillet-' | sort)"
if [ "$drawn" != "$listed" ]; then
    echo "regenerate: app/gui/pictures/README.md and the drawn pictures differ:" >&2
    diff <(echo "$drawn") <(echo "$listed") >&2 || true
    exit 1
fi

args=()
for f in "${files[@]}"; do
    args+=(-label "${f%.png}" "$pics/$f")
done
montage "${args[@]}" -filter point -resize 400% \
    -font DejaVu-Sans -pointsize 8 -background '#ececec' \
    -tile 10x -geometry 64x64+28+6 "$work/zoomed.png"

strip=()
for f in "${files[@]}"; do strip+=("$pics/$f"); done
montage "${strip[@]}" -background '#ececec' -tile 36x -geometry 16x16+4+4 "$work/actual.png"
montage "${strip[@]}" -background '#ececec' -filter point -resize 200% \
    -tile 36x -geometry 32x32+4+4 "$work/double.png"

mkdir -p "$root/docs/images"
convert "$work/zoomed.png" \
    \( -size 10x10 xc:'#ececec' \) \
    \( "$work/double.png" \) \
    \( -size 10x10 xc:'#ececec' \) \
    \( "$work/actual.png" \) \
    -background '#ececec' -gravity west -append \
    "$root/docs/images/toolbar-pictures.png"
echo "contact sheet: docs/images/toolbar-pictures.png"
