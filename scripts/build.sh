#!/usr/bin/env bash
# Configures and builds everything into build/ (BUILD_DIR overrides), warnings as errors; extra arguments go to
# cmake's configure step (scripts/run-sanitized-tests.sh passes -DTARVEL_SANITIZE=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The test programs share a precompiled header; ccache caches what uses one only with these.
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
# -O2 as released, with line tables only: enough for a backtrace with file and line, and a fifth
# quicker to build than full debug information.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DTARVEL_WARNINGS_AS_ERRORS=ON "$@" \
  >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
