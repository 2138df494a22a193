#!/usr/bin/env bash
# Installs what is missing, builds (reusing build/), and makes the Debian package
# build/package/zunt-station_VERSION_ARCH.deb. Prints its path last.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUNT_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
rm -f "$build"/package/zunt-station_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/package/zunt-station_*.deb
