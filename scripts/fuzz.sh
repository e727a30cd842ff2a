#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each for SECONDS (default 60), one after another:
#   scripts/fuzz.sh [SECONDS]
# TARVEL_FUZZ_RUNS=N runs each target for N executions instead. The seed corpora are in
# fuzz/corpus/<target>; what a run learns goes to <build>/fuzz-corpus/<target>, a crashing input
# to <build>/fuzz-artifacts/. FUZZ_BUILD_DIR overrides the build folder (build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
targets=(scramble_fuzz cp1251_fuzz profile_values_fuzz profile_document_fuzz schedule_section_fuzz)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_COMPILER=clang++ -DTARVEL_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target tarvel_fuzz_targets

if [ -n "${TARVEL_FUZZ_RUNS:-}" ]; then
  limit=(-runs="$TARVEL_FUZZ_RUNS")
else
  limit=(-max_total_time="$seconds")
fi
mkdir -p "$build_dir/fuzz-artifacts"
for target in "${targets[@]}"; do
  corpus="$build_dir/fuzz-corpus/$target"
  mkdir -p "$corpus"
  echo "== $target"
  log="$build_dir/fuzz-artifacts/$target.log"
  # The first folder collects new inputs; the tree's seeds are only read.
  if ! "$build_dir/bin/tarvel_$target" "${limit[@]}" -print_final_stats=1 -max_len=2048 \
      -artifact_prefix="$build_dir/fuzz-artifacts/$target-" "$corpus" "fuzz/corpus/$target" \
      >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$target failed; the input that failed is in $build_dir/fuzz-artifacts/"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units)' "$log"
done
