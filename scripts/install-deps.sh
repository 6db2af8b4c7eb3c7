#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its benchmarks need, only those
# missing. Usage: install-deps.sh run|test|bench
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev fonts-liberation cups-client)
test_packages=("${run_packages[@]}" cups cups-bsd cups-filters printer-driver-cups-pdf poppler-utils xvfb
               xauth xdotool imagemagick zbar-tools clang libclang-rt-14-dev dpkg-dev
               desktop-file-utils appstream lintian)
bench_packages=("${test_packages[@]}" time bc)

case "${1:-run}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    bench) wanted=("${bench_packages[@]}") ;;
    *) echo "usage: $0 run|test|bench" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
