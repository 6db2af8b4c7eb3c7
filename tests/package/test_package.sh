#!/usr/bin/env bash
# The Debian package: the files it installs, its dependencies, its desktop entry and metainfo,
# lintian, and where the installed program keeps its files.
# Usage: test_package.sh BUILD_DIR. Exit 77 (skipped) without dpkg-deb.
set -euo pipefail
build=$1
if ! command -v dpkg-deb >/dev/null; then
    echo "dpkg-deb is missing: the package cannot be built here"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB -B "$work/cpack" --config "$build/CPackConfig.cmake" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/cpack/etiquetas_*_amd64.deb)
echo "built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
./usr/bin/etiquetas
./usr/share/applications/br.etiquetas.Etiquetas.desktop
./usr/share/doc/etiquetas/changelog.gz
./usr/share/doc/etiquetas/copyright
./usr/share/doc/etiquetas/examples/etiquetas.csv
./usr/share/icons/hicolor/scalable/apps/br.etiquetas.Etiquetas.svg
./usr/share/lintian/overrides/etiquetas
./usr/share/man/man1/etiquetas.1.gz
./usr/share/metainfo/br.etiquetas.Etiquetas.metainfo.xml
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation cups-client libqt6printsupport6 libc6; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/br.etiquetas.Etiquetas.desktop" ||
    fail "desktop entry"
appstreamcli validate --no-net \
    "$work/root/usr/share/metainfo/br.etiquetas.Etiquetas.metainfo.xml" || fail "metainfo"
if command -v lintian >/dev/null; then
    lintian --fail-on error --allow-root "$deb" || fail "lintian"
fi

# Where the program keeps etiquetas.csv: it names that place when the file is missing. Runs as
# an ordinary user, for whom a system folder or a read-only copy is not writable.
user=nobody
mkdir -m 777 "$work/home" "$work/ro" "$work/rw"
cp "$work/root/usr/bin/etiquetas" "$work/ro/" && chmod 555 "$work/ro"
cp "$work/root/usr/bin/etiquetas" "$work/rw/"
list_folder() {
    local out
    out=$(runuser -u "$user" -- env -i HOME="$work/home" XDG_DATA_HOME="$work/home/dados" \
        "$1" folhas --pdf "$work/home/x.pdf" 2>&1) && fail "$1 printed without an item list"
    [[ "$out" == *"$2/etiquetas.csv"* ]] || fail "$1 looks for its list elsewhere: $out"
    [ -d "$2" ] || fail "$2 was not created"
}
list_folder "$work/root/usr/bin/etiquetas" "$work/home/dados/etiquetas"
list_folder "$work/ro/etiquetas" "$work/home/dados/etiquetas"
list_folder "$work/rw/etiquetas" "$work/rw"
echo "package checked"
