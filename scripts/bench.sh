#!/usr/bin/env bash
# Builds the benchmark in Release and runs it: every figure is the median of
# five runs, followed by the ratios against the memory floor and the peers.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=Fill).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=ON
cmake --build build-bench -j 2 --target quorvel_bench
exec build-bench/bench/quorvel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.2 "$@"
