#!/usr/bin/env bash
# Builds the ZPL stream reader benchmark (Release) and times each reader on 2,000 and 20,000
# item labels, one process per reader and size (RUNS=n sets the runs per figure).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-release --target zpl_stream_bench >/dev/null
for reader in separa1 separa2 pega; do
    for labels in 2000 20000; do
        # More runs for the short stream, whose few milliseconds the shared machine disturbs most.
        runs=${RUNS:-$((labels <= 2000 ? 21 : 7))}
        ./build-release/bench/zpl_stream_bench "$reader" "$labels" "$runs"
    done
done
