#!/usr/bin/env bash
# Builds the barcode benchmark (Release) and runs it, then times zint writing the same 1,000
# Code 128 texts as PNG files in one batch run, for comparison. Installs zint if missing.
# Usage: bench/run_barcode.sh [symbols per kind] [PNG files per kind]
set -euo pipefail
cd "$(dirname "$0")/.."
symbols="${1:-10000}"
files="${2:-1000}"

if ! command -v zint >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing zint"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        zint >/dev/null
fi

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-bench --target barcode_bench >/dev/null
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

# Files go to memory when the machine has a tmpfs, so that both programs are timed, not the disk.
tmp=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && tmp=/dev/shm
work=$(mktemp -d -p "$tmp")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
for ((i = 0; i < files; i++)); do printf 'A1020-AZUL-38-%06d\n' "$i"; done >"$work/texts.txt"

# zint writing the texts as Code 128 PNG files in one batch run, into a new folder.
time_zint() {
    local out="$work/png$1"
    mkdir "$out"
    TIMEFORMAT='%R %U %S'
    { time zint -b 20 --batch -i "$work/texts.txt" -o "$out/bc~~~~~~.png" >/dev/null; } \
        2>"$work/time.txt"
    local written wall user sys
    written=$(find "$out" -name '*.png' | wc -l)
    read -r wall user sys <"$work/time.txt"
    awk -v n="$written" -v w="$wall" -v u="$user" -v s="$sys" -v when="$2" 'BEGIN {
        printf "  zint Code 128 (%s) %d files in %.2f s: %6.0f /s wall  %6.0f /s CPU\n",
               when, n, w, (w > 0 ? n / w : 0), (u + s > 0 ? n / (u + s) : 0) }'
}

echo "== zint $(zint --version 2>&1 | head -1 | tr -dc '0-9.'), $files Code 128 PNG files"
time_zint 1 before
echo "== etiquetas barcode renderers"
./build-bench/bench/barcode_bench "$symbols" "$files"
echo "== zint again"
time_zint 2 after
