#!/usr/bin/env bash
# Renders every sheet of the demo kit as the station draws it (1016 px wide, from the
# top-left corner) and outlines the drop-down lists at their fixed places in red, so
# that a look at OUTDIR/*.png shows whether each gap lies under its list.
# Usage: demo-kit/check-layout.sh OUTDIR [ZUNT_TOOL]   (needs ImageMagick)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: check-layout.sh OUTDIR [ZUNT_TOOL]}"
tool="${2:-$here/../build/src/tools/zunt-tool}"
width=1016
mkdir -p "$out"

for sheet in "$here"/sheets/*.rtf; do
    name="$(basename "$sheet" .rtf)"
    "$tool" rtf-render "$sheet" "$out/$name.png" "$width"
    boxes=()
    while read -r file list left top w h; do
        [ "$file" = "$name.rtf" ] || continue
        boxes+=(-draw "rectangle $left,$top $((left + w - 1)),$((top + h - 1))")
        boxes+=(-draw "text $((left + w + 2)),$((top + 10)) '$list'")
    done < <(grep -v '^#' "$here/sheets/lists.txt")
    if [ ${#boxes[@]} -gt 0 ]; then
        convert "$out/$name.png" -fill none -stroke red "${boxes[@]}" "$out/$name.png"
    fi
done
echo "rendered $(ls "$out"/*.png | wc -l) sheets into $out"
