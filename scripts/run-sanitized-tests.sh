#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (SANITIZE_BUILD_DIR overrides) and runs it; any report fails the test that made it.
# Escape hatch for a library outside our code that the sanitizers blame (an embedded engine,
# a system library): add a line to scripts/sanitizers/lsan.supp (leaks) or
# scripts/sanitizers/ubsan.supp, or extend ASAN_OPTIONS in the environment of this script;
# say why in a comment beside the line.
set -euo pipefail
cd "$(dirname "$0")/.."
here="$PWD"
build_dir="${SANITIZE_BUILD_DIR:-build-asan}"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$here/scripts/sanitizers/ubsan.supp"
export LSAN_OPTIONS="suppressions=$here/scripts/sanitizers/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
# The test programs are run while building too (to list their tests): the options above hold.
BUILD_DIR="$build_dir" scripts/build.sh -DTARVEL_SANITIZE=ON
log="$build_dir/sanitized-tests.log"
if ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 600 2>&1 | tee "$log"; then
  exit 0
fi
# LeakSanitizer's own tracer, which stops every thread at exit to look for leaks, now and then
# crashes on a busy machine ("LeakSanitizer has encountered a fatal error"); that says nothing
# about our code. When that is the reason of every failure, those tests run once more and must
# pass; any other failure stands.
failed="$(wc -l <"$build_dir/Testing/Temporary/LastTestsFailed.log")"
tracer_crashes="$(grep -c "LeakSanitizer has encountered a fatal error" "$log" || true)"
if [ "$failed" -eq 0 ] || [ "$tracer_crashes" -ne "$failed" ]; then
  exit 1
fi
echo "== $failed test(s) failed only through LeakSanitizer's tracer; running them once more"
ctest --test-dir "$build_dir" --output-on-failure --rerun-failed --timeout 600
