#!/usr/bin/env bash
# Item list of 32,766 items: load time and window time in-process, then the real program under
# Xvfb: time from start until its window is visible, and its peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-bench --target item_list_bench etiquetas >/dev/null
export XDG_RUNTIME_DIR=$(mktemp -d); chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen ./build-bench/bench/item_list_bench

work=$(mktemp -d)
trap 'kill ${xvfb:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp build-bench/etiquetas "$work/"
python3 - "$work/etiquetas.csv" <<'PY'
import sys
lines = ["Referencia,Cor,Tamanho,Qte,Pedido"]
lines += [f"R{10000+i},AZUL,{34+i%11},{1+i%14},{4500+i//20}" for i in range(32766)]
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
PY
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
until DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.1; done
times=()
for run in 1 2 3 4 5; do
    start=$(date +%s.%N)
    DISPLAY=$display /usr/bin/time -f '%M' -o "$work/rss" "$work/etiquetas" >/dev/null 2>&1 & app=$!
    for _ in $(seq 1000); do
        DISPLAY=$display xdotool search --onlyvisible --name '^Impressão Etiquetas $' >/dev/null && break
        sleep 0.01
    done
    end=$(date +%s.%N)
    times+=("$(echo "($end - $start) * 1000" | bc)")
    sleep 0.3
    pkill -P "$app" || true  # the program, not /usr/bin/time, which then reports
    wait $app 2>/dev/null || true
    rss+=("$(tail -1 "$work/rss")")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
printf 'real program under Xvfb: window visible %.0f ms after start (median of 5)\n' "$(median "${times[@]}")"
printf 'real program peak memory: %.1f MB (median of 5)\n' "$(echo "$(median "${rss[@]}") / 1024" | bc -l)"
