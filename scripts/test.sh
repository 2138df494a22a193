#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, then builds the Debian
# package and checks it: contents, dependencies, lintian, and the installed programs run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
build=${ZUNT_BUILD_DIR:-$top/build}
(cd "$build" && ctest --output-on-failure -j "$(nproc)" "$@")
# Tests picked by name leave the package alone.
[ $# -eq 0 ] || exit 0

deb=$("$top/scripts/package.sh" | tail -n 1)
echo "== $deb"
dpkg-deb -c "$deb"
dpkg-deb -f "$deb" Package Version Architecture Depends
if command -v lintian >/dev/null; then
    # Errors fail the run; warnings are shown.
    lintian --fail-on error "$deb"
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
env -u LD_LIBRARY_PATH "$root/usr/bin/zunt-tool" --version
env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$root/usr/bin/zunt-station" --help
echo "== package checked"
