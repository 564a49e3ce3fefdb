#!/usr/bin/env bash
# Builds the benchmark program in release mode in build-bench/, runs it and
# prints one line per figure (the figure, its reference measured in the same
# run, their ratio, the goal) and last "N of M goals met". A figure and its
# reference are timed in alternating rounds and compared by their medians, so
# the ratios hold on a busy machine even where the absolute times do not.
# A goal whose figure cannot be measured says "not measured" and counts as
# missed.
#
# The start-up and preview figures run on the X11 platform, as a seller's
# desktop has it: the benchmark runs under its own Xvfb (xvfb-run) at
# 1366x768, the common laptop screen.
#
# Google Benchmark's own table, the machine and its load go to
# build-bench/bench-raw.txt. Extra arguments go to the benchmark program
# (e.g. --benchmark_filter=Replace). Exit status: 0 when every goal is met,
# 1 when one is missed, anything else when the build or the run failed.
#
# On a busy machine the absolute figures scatter; run it when the load
# average is low (see `uptime`).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOREPAL_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "${TOREPAL_BENCH_JOBS:-2}" --target torepal_bench >/dev/null

raw="$build/bench-raw.txt"
{
  echo "date: $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
  echo "commit: $(git rev-parse --short HEAD 2>/dev/null || echo unknown)"
  echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
  echo "memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
} >"$raw"
sed 's/^/# /' "$raw" >&2
echo "# raw results: $raw" >&2

status=0
xvfb-run -a -s '-screen 0 1366x768x24' "$build/bench/torepal_bench" \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_min_time=0.2 \
  "$@" 2>>"$raw" || status=$?
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$raw"
exit "$status"
