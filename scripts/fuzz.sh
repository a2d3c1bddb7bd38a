#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer + UBSan) and
# runs one of them, or each in turn, for a bounded time on a copy of its seed
# corpus; the seeds in the repository are left as they are.
#   scripts/fuzz.sh bitmap|text|pixels|all [seconds=600] [build dir=build-fuzz]
# A finding stops the run with a non-zero status; the input that caused it is
# kept in <build dir>/artifacts/<target>/ and can be replayed by passing that
# file to <build dir>/fuzz/fuzz_<target>.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh bitmap|text|pixels|all [seconds] [build dir]}
seconds=${2:-600}
build=${3:-build-fuzz}
targets=(bitmap text pixels)
[ "$target" = all ] || targets=("$target")
for t in "${targets[@]}"; do
    [ -d "fuzz/corpus/$t" ] || { echo "fuzz: no target '$t' (bitmap, text, pixels, all)" >&2; exit 2; }
done

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorvel_fuzzers

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:print_stacktrace=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    artifacts="$build/artifacts/$t"
    rm -rf "$corpus"
    mkdir -p "$corpus" "$artifacts"
    cp "fuzz/corpus/$t"/* "$corpus/"
    echo "fuzz: $t for ${seconds} s"
    "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" 2>"$build/fuzz-$t.log" || {
        tail -n 60 "$build/fuzz-$t.log" >&2
        echo "fuzz: $t found a fault; the input is in $artifacts/" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz-$t.log" || true
done
