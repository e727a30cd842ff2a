#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the tests of threads, processes and
# timers again, repeated beside a busy loop on every core (scripts/run-tests-under-load.sh); then
# the desktop stage (the reference host on an X server of its own with a window manager and the
# accessibility bus, tests/desktop); then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/run-sanitized-tests.sh), and each fuzz target for a few
# seconds (scripts/fuzz.sh; TARVEL_FUZZ_SECONDS, default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
# Each stage's time is printed after it, so a slow stage shows in the log.
stage() {  # NAME COMMAND...
  local name="$1" started="$SECONDS"
  shift
  "$@"
  echo "== stage '$name' took $((SECONDS - started)) s (run so far: $SECONDS s)"
}
stage set-up scripts/install-dependencies.sh
stage build scripts/build.sh
export QT_QPA_PLATFORM=offscreen
stage tests ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
stage under-load scripts/run-tests-under-load.sh
stage desktop tests/desktop/run-desktop-tests.sh
stage sanitized scripts/run-sanitized-tests.sh
stage fuzz scripts/fuzz.sh "${TARVEL_FUZZ_SECONDS:-5}"
