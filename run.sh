#!/usr/bin/env bash
# Builds the program and starts it on the current X display, in the folder
# that holds it and its two font files. Any key ends it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF
cmake --build build -j "$(nproc)" --target quorvel
cd build/bin
exec ./quorvel
