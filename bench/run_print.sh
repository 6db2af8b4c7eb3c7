#!/usr/bin/env bash
# Builds the sheet print benchmark (Release) and prints 980 and 9,800 labels into PDF files
# through the program's real print path, then the same label texts with gLabels 3 (Avery 5162,
# CSV merge, one label per record) in the same run. Prints the figures; never fails on speed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh bench
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DETIQUETAS_TESTS=OFF >/dev/null
cmake --build build-release --target print_bench >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
timed() { /usr/bin/time -f '    process: %e s elapsed, %M KB peak RSS' "$@"; }

echo "== etiquetas (QPainter on QPrinter, PDF output)"
for rows in 70 700; do
    timed build-release/bench/print_bench "$rows" "$out/etq-$rows.pdf" "$out/labels-$rows.csv"
    echo "    $(pdfinfo "$out/etq-$rows.pdf" | grep -E '^Pages:' | tr -s ' ')"
done

echo "== gLabels 3 (glabels-3-batch, Avery 5162, CSV merge)"
if ! command -v glabels-3-batch >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    if ! { "${sudo[@]}" apt-get update -qq &&
           DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq \
               --no-install-recommends glabels >/dev/null; }; then
        echo "    glabels could not be installed; no comparison"
        exit 0
    fi
fi
# One text object per label line, the same texts and font as the sheet print.
text() { # x y content
    printf '<Object-text x="%s" y="%s" w="90mm" h="6mm" justify="Left" valign="Top" auto_shrink="False" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">' "$1" "$2"
    printf '<Span font_family="Arial" font_size="12" font_weight="bold" font_italic="False" color="0xff" line_spacing="1">%s</Span></Object-text>\n' "$3"
}
for rows in 70 700; do
    {
        echo '<?xml version="1.0"?>'
        echo '<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">'
        echo '<Template brand="Avery" part="5162" size="US-Letter" description="Address Labels">'
        echo '<Label-rectangle id="0" width="4in" height="1.333333333in" round="0.0625in">'
        echo '<Markup-margin size="0.0625in"/>'
        echo '<Layout nx="2" ny="7" x0="0.15625in" y0="0.833333333in" dx="4.1875in" dy="1.333333333in"/>'
        echo '</Label-rectangle></Template>'
        echo '<Objects id="0" rotate="False">'
        text 5mm 3mm 'REF: <Field name="ref"/>'
        text 5mm 11mm 'COR: <Field name="cor"/>'
        text 20mm 19mm 'Nº  <Field name="tam"/>'
        text 60mm 19mm '<Field name="ped"/>'
        echo '</Objects>'
        echo "<Merge type=\"Text/Comma/Line1Keys\" src=\"$out/labels-$rows.csv\"/>"
        echo '</Glabels-document>'
    } > "$out/labels-$rows.glabels"
    echo "  $((rows * 14)) labels:"
    if timed glabels-3-batch -o "$out/glabels-$rows.pdf" "$out/labels-$rows.glabels" \
            > "$out/glabels-$rows.log" 2>&1; then
        grep -E 'process:' "$out/glabels-$rows.log" || true
        echo "    $(pdfinfo "$out/glabels-$rows.pdf" | grep -E '^Pages:' | tr -s ' ')"
    else
        echo "    glabels-3-batch failed:"
        sed 's/^/      /' "$out/glabels-$rows.log" | tail -20
    fi
done
