#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the tests of threads, processes and
# timers again, repeated beside a busy loop on every core (scripts/run-tests-under-load.sh); then
# the desktop stage (the reference host on an X server of its own with a window manager and the
# accessibility bus, tests/desktop); then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/run-sanitized-tests.sh), and each fuzz target for a few
# seconds (scripts/fuzz.sh; TARVEL_FUZZ_SECONDS, default 5).
# The sanitized build and the fuzz targets' build run in the background from the end of the
# ordinary build on, at the lowest CPU priority: the ordinary suite and the desktop stage mostly
# wait (for bounds of seconds, for a window, for a minute to come), and the builds take the cores
# meanwhile without ever taking them from the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each stage's time is printed after it, so a slow stage shows in the log.
stage() {  # NAME COMMAND...
  local name="$1" started="$SECONDS"
  shift
  "$@"
  echo "== stage '$name' took $((SECONDS - started)) s (run so far: $SECONDS s)"
}

# The background stages: their output goes to a log of their own, shown when they are joined.
background_logs="$(mktemp -d)"
background_group=""
stop_background() {
  if [ -n "$background_group" ]; then
    kill -- "-$background_group" "$background_group" 2>/dev/null || true
  fi
  rm -rf "$background_logs"
}
trap stop_background EXIT
# Runs the stages given, each as one word "NAME COMMAND...", one after another, at the lowest CPU
# priority, in a process group of their own that ends if the test command ends first.
start_background() {  # STAGE...
  setsid nice -n 19 scripts/run-stages-in-background.sh "$background_logs" "$@" </dev/null &
  background_group="$!"
}
# Gives the background stages the tests' own priority: once the command waits for them, they are
# what it runs, and at the lowest priority a machine busy with other work would starve them. Where
# raising a priority is not permitted they go on at the lowest.
raise_background_priority() {
  local pids
  # A session whose stages have all ended has no processes left, and ps then fails.
  pids="$(ps -o pid= --sid "$background_group" 2>/dev/null | tr '\n' ' ' || true)"
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086  # one word per process
  renice -n 0 -p $pids >/dev/null 2>&1 || true
  echo 0 >"/proc/$background_group/autogroup" 2>/dev/null || true
}
# Waits for a background stage, shows its output and time, and fails when it failed.
join_background() {  # NAME
  local name="$1" waited_from="$SECONDS"
  raise_background_priority
  while [ ! -e "$background_logs/$name.status" ]; do
    if ! kill -0 "$background_group" 2>/dev/null; then
      break
    fi
    sleep 1
  done
  cat "$background_logs/$name.log" 2>/dev/null || true
  local status=1 took=0
  if [ -e "$background_logs/$name.status" ]; then
    read -r status took <"$background_logs/$name.status"
  fi
  echo "== stage '$name' took $took s in the background, $((SECONDS - waited_from)) s of it" \
    "waited for here (run so far: $SECONDS s)"
  [ "$status" = 0 ] || { echo "stage '$name' failed" >&2; exit "$status"; }
}

stage set-up scripts/install-dependencies.sh
stage build scripts/build.sh
start_background "sanitized-build scripts/run-sanitized-tests.sh build" \
                 "fuzz-build scripts/fuzz.sh build"
export QT_QPA_PLATFORM=offscreen
# Most tests wait rather than compute: twice as many at a time as there are cores.
stage tests ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$((2 * $(nproc)))"
stage under-load scripts/run-tests-under-load.sh
stage desktop tests/desktop/run-desktop-tests.sh
join_background sanitized-build
stage sanitized-tests scripts/run-sanitized-tests.sh test
join_background fuzz-build
stage fuzz scripts/fuzz.sh "${TARVEL_FUZZ_SECONDS:-5}"
