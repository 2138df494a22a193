#!/usr/bin/env bash
# Renders every sheet of the demo kit as the station draws it (1016 px wide, from the
# top-left corner), checks that the underline of each gap lies under its drop-down list
# (starts at the list's left edge, within the list's rows, about as wide as the list),
# and outlines the lists in red in OUTDIR/*.png for a look.
# Usage: demo-kit/check-layout.sh OUTDIR [ZUNT_TOOL]   (needs ImageMagick and python3)
# Exit status 1 when a gap is not under its list.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: check-layout.sh OUTDIR [ZUNT_TOOL]}"
tool="${2:-$here/../build/src/tools/zunt-tool}"
width=1016
mkdir -p "$out"
failed=0

# gap_ok PNG LEFT TOP W H: some pixel row inside the list's rectangle holds a dark run
# that starts at the list's left edge (+-2 px) and ends inside the list.
gap_ok() {
    convert "$1" -crop "$(($4 + 40))x$5+$(($2 - 20))+$3" +repage -colorspace gray -threshold 50% \
        -compress none pbm:- | python3 -c '
import sys
tokens = sys.stdin.read().split()
w, h = int(tokens[1]), int(tokens[2])
bits = tokens[3:]
left, width = 20, int(sys.argv[1])
for y in range(h):
    row = bits[y * w:(y + 1) * w]
    x = 0
    while x < w:
        if row[x] == "1":
            start = x
            while x < w and row[x] == "1":
                x += 1
            if abs(start - left) <= 2 and width - 12 <= x - start <= width + 1:
                sys.exit(0)
        x += 1
sys.exit(1)' "$4"
}

for sheet in "$here"/sheets/*.rtf; do
    name="$(basename "$sheet" .rtf)"
    # Qt notes a missing XDG_RUNTIME_DIR on every start; keep real errors only.
    "$tool" rtf-render "$sheet" "$out/$name.png" "$width" >/dev/null 2> >(grep -v XDG_RUNTIME_DIR >&2)
    boxes=()
    while read -r file list left top w h; do
        [ "$file" = "$name.rtf" ] || continue
        if ! gap_ok "$out/$name.png" "$left" "$top" "$w" "$h"; then
            echo "$name: the gap of $list is not under the list at $left,$top" >&2
            failed=1
        fi
        boxes+=(-draw "rectangle $left,$top $((left + w - 1)),$((top + h - 1))")
        boxes+=(-draw "text $((left + w + 2)),$((top + 10)) '$list'")
    done < <(grep -v '^#' "$here/sheets/lists.txt")
    if [ ${#boxes[@]} -gt 0 ]; then
        convert "$out/$name.png" -fill none -stroke red "${boxes[@]}" "$out/$name.png"
    fi
done
echo "rendered $(ls "$out"/*.png | wc -l) sheets into $out"
if [ "$failed" = 0 ]; then
    echo "every gap lies under its list"
fi
exit "$failed"
