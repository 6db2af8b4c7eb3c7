#!/bin/sh
# Builds the routines benchmark in Release and prints its figures.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-release --target routines_bench >/dev/null
./build-release/bench/routines_bench
