#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo kit in ./demo and starts the station there.
# Without a display it runs the station's rehearsal on the demo kit instead (offscreen, with
# SDL's disk audio driver standing in for the headset) and prints its report.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUNT_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
demo=${ZUNT_DEMO_DIR:-$top/demo}
mkdir -p "$demo"
"$top/demo-kit/build.sh" "$demo" "$build/src/tools/zunt-tool"
station="$build/src/app/zunt-station"
cd "$demo"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$station"
fi
echo "No display: running the rehearsal on the demo kit in $demo/rehearsal"
rehearsal="$demo/rehearsal"
rm -rf "$rehearsal"
mkdir -p "$rehearsal"
cp "$demo/kim.kim" "$rehearsal/"
# Offscreen, with SDL's disk audio driver standing in for the headset (the rehearsal sets both up).
exec "$station" --rehearsal "$rehearsal"
