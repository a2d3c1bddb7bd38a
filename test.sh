#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the normal build, a short
# bounded run of each fuzz target, then the sanitizer build of the same tests
# (AddressSanitizer + UBSan). Installs what it needs on Debian 12.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# Each fuzz target for 20 s on a copy of its seeds (scripts/fuzz.sh runs
# them longer).
scripts/fuzz.sh all 20 build-fuzz

# The same tests with AddressSanitizer and UBSan; any finding, a leak
# included, ends the run.
export ASAN_OPTIONS=halt_on_error=1:print_stacktrace=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# System libraries are not instrumented: libdbus's own leaks are suppressed
# (and nothing of ours), and SDL renders in software so that Mesa's GL, which
# keeps blocks of its own to the end, stays out of this run. The Release run
# above covers the GL path.
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export SDL_RENDER_DRIVER=software
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCH=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
