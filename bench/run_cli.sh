#!/usr/bin/env bash
# Times the command line from process start to exit beside its peers, medians of several runs
# in one run of this script:
# - `etiquetas folhas` printing 9,800 and 980 labels into a PDF file, and glabels-3-batch
#   printing the same 980 labels (gLabels takes minutes on 9,800) from a template of the same
#   sheet (14 labels of 33.9 x 101.6 mm on Letter, the same four texts) merged with a CSV file;
# - `etiquetas barras --lote` and `zint --batch` writing the same 1,000 Code 128 texts as PNG
#   files into a new folder.
# Installs glabels and zint when missing. Prints the figures; never fails on speed.
# Usage: bench/run_cli.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"

bash scripts/install-deps.sh bench
for tool in glabels-3-batch:glabels zint:zint; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        sudo=()
        [ "$(id -u)" -eq 0 ] || sudo=(sudo)
        echo "Installing ${tool#*:}"
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
            --no-install-recommends "${tool#*:}" >/dev/null
    fi
done
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF \
    -DETIQUETAS_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" >/dev/null
cmake --build build-bench --target etiquetas >/dev/null
etiquetas="$PWD/build-bench/etiquetas"

# The command line needs no display; gLabels runs without one too.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the command `runs` times after `prepare` (untimed) and prints the medians of its wall
# time and of its processor time (user + system), from process start to exit. On a shared
# machine the processor time is the steadier figure.
prepare() { :; }
median() { sort -n | awk '{ t[NR] = $1 } END { printf "%.2f", NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }'; }
median_of() {
    local i
    : >"$work/times.txt"
    for ((i = 0; i < runs; i++)); do
        prepare
        if ! /usr/bin/time -f '%e %U %S' -o "$work/time.txt" "$@" >"$work/out.txt" 2>&1; then
            echo "failed: $*" >&2
            cat "$work/out.txt" >&2
            return 1
        fi
        tail -1 "$work/time.txt" >>"$work/times.txt"
    done
    echo "wall $(awk '{ print $1 }' "$work/times.txt" | median) s," \
        "CPU $(awk '{ print $2 + $3 }' "$work/times.txt" | median) s"
}

# Item lists of 14 labels a row (quantity 14), and the same labels one per CSV record.
for rows in 70 700; do
    {
        printf 'Referencia,Cor,Tamanho,Qte,Pedido\r\n'
        for ((r = 1; r <= rows; r++)); do printf 'A%05d,AZUL MARINHO,38,14,45%04d\r\n' "$r" "$r"; done
    } >"$work/list-$rows.csv"
done
{
    echo 'ref,cor,tam,ped'
    for ((r = 1; r <= 70; r++)); do
        for ((k = 0; k < 14; k++)); do printf 'A%05d,AZUL MARINHO,38,45%04d\n' "$r" "$r"; done
    done
} >"$work/labels-980.csv"

# The sheet as gLabels 3 describes one: a label rectangle repeated 2 x 7 times from the
# top-left corner of the first label (the printable area's corner, 3.53 mm in a PDF written by
# Qt, plus the 21 mm above the first row; 1.05 mm less across, as gLabels sets a text that far
# into its object), and one text object per text of a label.
text_object() { # x y content
    printf '  <Object-text x="%s" y="%s" w="90mm" h="6mm" justify="Left" valign="Top"' "$1" "$2"
    printf ' auto_shrink="False" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">\n'
    printf '   <Span font_family="Arial" font_size="12" font_weight="bold" font_italic="False"'
    printf ' color="0x000000ff" line_spacing="1">%s</Span>\n  </Object-text>\n' "$3"
}
{
    echo '<?xml version="1.0"?>'
    echo '<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">'
    echo ' <Template brand="Etiquetas" part="7x2" size="US-Letter" description="14 x 33.9 x 101.6 mm">'
    echo '  <Label-rectangle id="0" width="101.6mm" height="33.9mm" round="0mm">'
    echo '   <Markup-margin size="0mm"/>'
    echo '   <Layout nx="2" ny="7" x0="2.48mm" y0="24.53mm" dx="102mm" dy="33.9mm"/>'
    echo '  </Label-rectangle>'
    echo ' </Template>'
    echo ' <Objects id="0" rotate="False">'
    text_object 5mm 3mm 'REF: <Field name="ref"/>'
    text_object 5mm 11mm 'COR: <Field name="cor"/>'
    text_object 20mm 19mm 'Nº  <Field name="tam"/>'
    text_object 60mm 19mm '<Field name="ped"/>'
    echo ' </Objects>'
    echo " <Merge type=\"Text/Comma/Line1Keys\" src=\"$work/labels-980.csv\"/>"
    echo '</Glabels-document>'
} >"$work/labels-980.glabels"

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }

echo "== sheet labels into a PDF file, median of $runs runs (process start to exit)"
prepare() { rm -f "$work/sheets.pdf"; }
for rows in 700 70; do
    times=$(median_of "$etiquetas" folhas --lista "$work/list-$rows.csv" --pdf "$work/sheets.pdf")
    echo "  etiquetas folhas  $((rows * 14)) labels: $times, $(pages "$work/sheets.pdf") pages"
done
times=$(median_of glabels-3-batch -o "$work/sheets.pdf" "$work/labels-980.glabels")
echo "  glabels-3-batch    980 labels: $times, $(pages "$work/sheets.pdf") pages"

echo "== 1,000 Code 128 PNG files into a new folder, median of $runs runs"
for ((i = 0; i < 1000; i++)); do printf 'A1020-AZUL-38-%06d\n' "$i"; done >"$work/texts.txt"
prepare() { rm -rf "$work/png"; }
times=$(median_of "$etiquetas" barras --lote "$work/texts.txt" --pasta "$work/png")
echo "  etiquetas barras --lote: $times, $(find "$work/png" -name '*.png' | wc -l) files"
prepare() { rm -rf "$work/png" && mkdir "$work/png"; }
times=$(median_of zint -b 20 --batch -i "$work/texts.txt" -o "$work/png/bc~~~~~~.png")
echo "  zint --batch:            $times, $(find "$work/png" -name '*.png' | wc -l) files"
