#!/usr/bin/env bash
# Builds the marketplace label job benchmark (Release) and prints its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-bench --target zpl_bench
./build-bench/bench/zpl_bench
