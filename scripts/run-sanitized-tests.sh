#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (SANITIZE_BUILD_DIR overrides) and runs it; any report fails the test that made it.
#   scripts/run-sanitized-tests.sh [build|test]    (default: both, one after the other)
# scripts/run-tests.sh builds in the background while the ordinary suite runs, then tests.
# Escape hatch for a library outside our code that the sanitizers blame (an embedded engine,
# a system library): add a line to scripts/sanitizers/lsan.supp (leaks) or
# scripts/sanitizers/ubsan.supp, or extend ASAN_OPTIONS in the environment of this script;
# say why in a comment beside the line.
set -euo pipefail
cd "$(dirname "$0")/.."
steps="${1:-build test}"
case "$steps" in
  build | test | "build test") ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac
here="$PWD"
build_dir="${SANITIZE_BUILD_DIR:-build-asan}"
# intercept_tls_get_addr=0: the leak check at exit does not walk the threads' dynamic TLS. The
# database client's own threads are still alive then, and their TLS blocks of the engine it has
# unloaded are gone: walking them crashed the leak checker now and then ("Tracer caught signal
# 11") after every test had passed. What only a TLS block of a loaded library points to is then
# reported as leaked: scripts/sanitizers/lsan.supp names those libraries.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:intercept_tls_get_addr=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$here/scripts/sanitizers/ubsan.supp"
export LSAN_OPTIONS="suppressions=$here/scripts/sanitizers/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
# The test programs are run while building too (to list their tests): the options above hold.
# The code under test at -O1 with line tables only: what the sanitizers' reports need, and much
# quicker to build than -O2 (the test code itself at -O0, see tests/CMakeLists.txt).
if [[ "$steps" == *build* ]]; then
  BUILD_DIR="$build_dir" scripts/build.sh -DTARVEL_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
fi
if [[ "$steps" == *test* ]]; then
  # Most tests wait rather than compute: twice as many at a time as there are cores.
  ctest --test-dir "$build_dir" --output-on-failure -j "$((2 * $(nproc)))" --timeout 600
fi
