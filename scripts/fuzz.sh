#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each for SECONDS (default 60), as many at a time as there are cores:
#   scripts/fuzz.sh [SECONDS]
#   scripts/fuzz.sh build      (only builds them; scripts/run-tests.sh does so in the background)
# TARVEL_FUZZ_RUNS=N runs each target for N executions instead. The seed corpora are in
# fuzz/corpus/<target>; what a run learns goes to <build>/fuzz-corpus/<target>, a crashing input
# to <build>/fuzz-artifacts/. FUZZ_BUILD_DIR overrides the build folder (build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build_only=0
if [ "$seconds" = build ]; then
  build_only=1
fi
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
targets=(scramble_fuzz cp1251_fuzz profile_values_fuzz profile_document_fuzz schedule_section_fuzz)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_COMPILER=clang++ -DTARVEL_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target tarvel_fuzz_targets

[ "$build_only" = 1 ] && exit 0

if [ -n "${TARVEL_FUZZ_RUNS:-}" ]; then
  limit=(-runs="$TARVEL_FUZZ_RUNS")
else
  limit=(-max_total_time="$seconds")
fi
artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"
# One target's run, its output in its log and its exit status beside it.
run_target() {  # TARGET
  local target="$1" corpus="$build_dir/fuzz-corpus/$1" status=0
  mkdir -p "$corpus"
  # The first folder collects new inputs; the tree's seeds are only read.
  "$build_dir/bin/tarvel_$target" "${limit[@]}" -print_final_stats=1 -max_len=2048 \
    -artifact_prefix="$artifacts/$target-" "$corpus" "fuzz/corpus/$target" \
    >"$artifacts/$target.log" 2>&1 || status=$?
  echo "$status" >"$artifacts/$target.status"
}
# Each target is a single process on one core: as many run at once as there are cores, each for
# its full time.
running=0
for target in "${targets[@]}"; do
  rm -f "$artifacts/$target.status"
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
wait
failed=0
for target in "${targets[@]}"; do
  echo "== $target"
  log="$artifacts/$target.log"
  if [ "$(cat "$artifacts/$target.status" 2>/dev/null)" != 0 ]; then
    tail -n 60 "$log"
    echo "$target failed; the input that failed is in $artifacts/"
    failed=1
  else
    grep -E '^(Done|stat::number_of_executed_units)' "$log"
  fi
done
exit "$failed"
