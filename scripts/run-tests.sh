#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the tests of threads, processes and
# timers again, repeated beside a busy loop on every core (scripts/run-tests-under-load.sh); then
# the desktop stage (the reference host on an X server of its own with a window manager and the
# accessibility bus, tests/desktop); then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/run-sanitized-tests.sh), and each fuzz target for a few
# seconds (scripts/fuzz.sh; TARVEL_FUZZ_SECONDS, default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
scripts/run-tests-under-load.sh
tests/desktop/run-desktop-tests.sh
scripts/run-sanitized-tests.sh
scripts/fuzz.sh "${TARVEL_FUZZ_SECONDS:-5}"
