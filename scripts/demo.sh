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
station="$build/src/main/zunt-station"
cd "$demo"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$station"
fi
echo "No display: running the rehearsal on the demo kit in $demo"
rehearsal="$demo/rehearsal"
rm -rf "$rehearsal"
mkdir -p "$rehearsal"
cp "$demo/kim.kim" "$rehearsal/"
# The headset's microphone: a few seconds of quiet tone, read again and again by SDL's disk driver.
sox -n -r 44100 -c 2 -b 16 -e signed-integer -t raw "$rehearsal/mic.raw" synth 30 sine 440 vol 0.1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk \
    SDL_DISKAUDIOFILEIN="$rehearsal/mic.raw" SDL_DISKAUDIOFILE=/dev/null
exec "$station" --rehearsal "$rehearsal"
