#!/usr/bin/env bash
# Installs, from Debian's packages, whatever this machine still lacks to build Zelpo
# (and, with --tests, to run its tests). Packages already present are left alone.
set -euo pipefail

build_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
                libcups2-dev fonts-liberation2 fonts-dejavu-core qt6-translations-l10n)
test_packages=(xvfb xauth xdotool openbox imagemagick x11-utils
               clang libclang-rt-14-dev desktop-file-utils poppler-utils x11-xkb-utils
               python3 qpdf cups cups-client printer-driver-cups-pdf)

wanted=("${build_packages[@]}")
if [[ "${1:-}" == "--tests" ]]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
    echo "Faltan paquetes (${missing[*]}) y este sistema no tiene apt-get: instálelos a mano." >&2
    exit 1
fi
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "Instalando: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
