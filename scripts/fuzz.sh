#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, and runs them.
#
#   scripts/fuzz.sh [TARGET|all] [SECONDS]     (defaults: all, 60 seconds each)
#
# TARGET is a file name in tests/fuzz/ without .cpp (sjis_replace, lines,
# ...). Each target starts from its committed seeds (tests/fuzz/corpus/<t>/,
# read only) and keeps what it finds in build-fuzz/corpus/<t>/. A crash or
# hang is saved as build-fuzz/artifacts/<t>-crash-..., and the script ends
# with a failure; add the file to the seeds once the bug is fixed. The log of
# each run, with libFuzzer's final statistics, is build-fuzz/logs/<t>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

which=${1:-all}
seconds=${2:-60}
jobs=${FUZZ_BUILD_JOBS:-2}

targets=()
for f in tests/fuzz/*.cpp; do
  name=$(basename "$f" .cpp)
  [ "$name" = RegressionMain ] && continue
  if [ "$which" = all ] || [ "$which" = "$name" ]; then
    targets+=("$name")
  fi
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz target named '$which' in tests/fuzz/" >&2
  exit 2
fi

command -v clang++ >/dev/null || { echo "clang is missing: bash scripts/setup.sh" >&2; exit 1; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOREPAL_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/logs build-fuzz/artifacts
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
printf '%-16s %8s %12s %10s %8s %s\n' target seconds executions exec/s corpus result
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  log="build-fuzz/logs/$t.log"
  result=ok
  if ! "./build-fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
       "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
    result="FAILED (see $log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  size=$(ls "build-fuzz/corpus/$t" | wc -l)
  printf '%-16s %8s %12s %10s %8s %s\n' "$t" "$seconds" "${runs:-?}" "${speed:-?}" "$size" "$result"
done
exit $status
