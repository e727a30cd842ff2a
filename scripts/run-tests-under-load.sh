#!/usr/bin/env bash
# The tests of what meets threads, processes and timers (the office database, the office window,
# the database server, the host as a process, the polling engine with its real timer) once more,
# each repeated, several at a time, beside a busy loop on every core: a race that an idle machine
# hides (a thread of the database client still running at exit, a timer that fires late) shows
# here. Any crash or failure fails the run. BUILD_DIR as for scripts/build.sh;
# TARVEL_LOAD_REPEAT (default 3) sets the repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
repeat="${TARVEL_LOAD_REPEAT:-3}"
tests='OfficeWindow|OfficeServer|OfficeDatabase|HostProcess|HostScript|OfficeAutoQuery|PollingEngine'

busy_pids=()
stop_busy_loops() {
  for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait "${busy_pids[@]}" 2>/dev/null || true
}
trap stop_busy_loops EXIT
for _ in $(seq "$(nproc)"); do
  ( while :; do :; done ) &
  busy_pids+=("$!")
done

export QT_QPA_PLATFORM=offscreen
# These tests mostly wait out bounds of seconds: four times as many at a time as there are cores.
ctest --test-dir "$build_dir" --output-on-failure -R "$tests" -j "$((4 * $(nproc)))" \
  --repeat "until-fail:$repeat" --timeout 600
