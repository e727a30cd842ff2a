#!/usr/bin/env bash
# Runs stages one after another, for scripts/run-tests.sh, which starts this script in the
# background at the lowest CPU priority and joins each stage later:
#   scripts/run-stages-in-background.sh FOLDER "NAME COMMAND ARGUMENT..."...
# Each stage's output goes to FOLDER/NAME.log; when it ends, FOLDER/NAME.status holds its exit
# status and its seconds. The first stage that fails ends the run. Words are split at blanks.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
folder="$1"
shift
# Where the kernel groups processes by session (autogroup), a session's processes share the CPU
# as one against the other sessions, and niceness counts only within the session: this session
# of its own is given the lowest priority as a whole.
if [ -w /proc/self/autogroup ]; then
  echo 19 >/proc/self/autogroup 2>/dev/null || true
fi
for stage in "$@"; do
  read -r -a words <<<"$stage"
  name="${words[0]}"
  started="$(date +%s)"
  "${words[@]:1}" >"$folder/$name.log" 2>&1
  status=$?
  echo "$status $(($(date +%s) - started))" >"$folder/$name.status"
  [ "$status" = 0 ] || exit "$status"
done
