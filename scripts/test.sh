#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UBSan, runs every fuzz target for 30 seconds,
# then every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
# The machine's own default-printer settings must not leak into the tests.
unset PRINTER LPDEST
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DETIQUETAS_SANITIZE=ON >/dev/null
cmake --build build-test
bash fuzz/run.sh 30
cd build-test
ctest --output-on-failure -j2
