#!/usr/bin/env bash
# Builds the demo kit OUTDIR/kim.kim from demo-kit/manifest.txt and the committed sheets,
# memos and audio. Needs only zunt-tool (default: build/src/tools/zunt-tool).
# Usage: demo-kit/build.sh OUTDIR [ZUNT_TOOL]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: build.sh OUTDIR [ZUNT_TOOL]}"
tool="${2:-$here/../build/src/tools/zunt-tool}"
if [ ! -x "$tool" ]; then
    echo "build.sh: zunt-tool not found at $tool (build it: cmake --build build --target zunt-tool)" >&2
    exit 1
fi
mkdir -p "$out"
"$tool" kit-build "$here/manifest.txt" "$out/kim.kim" 2> >(grep -v XDG_RUNTIME_DIR >&2)
echo "built $out/kim.kim ($(wc -c < "$out/kim.kim") bytes)"
