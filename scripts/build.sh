#!/usr/bin/env bash
# Configures and builds everything into build/ (BUILD_DIR overrides), warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVEL_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
