#!/usr/bin/env bash
# Builds the Debian packages tarvel, tarvel-dev and tarvel-demo into FOLDER (default dist/).
# Reuses the build folder build/ (BUILD_DIR overrides) and builds only what the packages hold.
#   scripts/package.sh [FOLDER]
set -euo pipefail
output="$(realpath -m "${1:-dist}")"
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
build_dir="${BUILD_DIR:-build}"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
else
  cmake -S . -B "$build_dir" >/dev/null
fi
cmake --build "$build_dir" -j "$(nproc)" --target tarvel tarvel-host tarvel_siblings
mkdir -p "$output"
cpack --config "$build_dir/CPackConfig.cmake" -B "$output"
rm -rf "$output/_CPack_Packages"
ls -1 "$output"/*.deb
