#!/usr/bin/env bash
# Builds the program and starts it with the sample item list beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF \
    -DETIQUETAS_BENCH=OFF >/dev/null
cmake --build build --target etiquetas
[ -e build/etiquetas.csv ] || cp examples/etiquetas.csv build/etiquetas.csv
exec ./build/etiquetas
