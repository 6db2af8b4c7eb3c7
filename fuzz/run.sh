#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, ASan, UBSan) and runs each for the given
# number of seconds (default 30) on a copy of its seed corpus. Fails on the first finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
bash scripts/install-deps.sh test
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DETIQUETAS_FUZZ=ON -DETIQUETAS_TESTS=OFF -DETIQUETAS_BENCH=OFF >/dev/null
cmake --build build-fuzz --target all >/dev/null
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in build-fuzz/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$work/${name#fuzz_}"
    mkdir -p "$corpus"
    cp -r "fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    echo "== $name: ${seconds}s"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/" "$corpus" 2>"$work/$name.log" || {
        tail -40 "$work/$name.log"
        echo "FAILED: $name (artifacts in $work, kept)"
        trap - EXIT
        exit 1
    }
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$work/$name.log" |
        tr '\n' ' '
    echo "corpus: $(ls "$corpus" | wc -l) inputs"
done
