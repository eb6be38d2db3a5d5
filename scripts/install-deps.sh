#!/usr/bin/env bash
# Installs everything Kestrone needs to build, run and test on Debian 12:
# host compiler and CMake, the i686 MinGW-w64 cross compiler (the product) and
# the x86_64 one (tests on machines without IA-32), 32- and 64-bit Wine, a CJK
# font for the Chinese texts,
# Xvfb, GoogleTest sources, Google Benchmark, OpenSSL and zlib (host tools and
# test oracles only), clang for the fuzz targets, ImageMagick for screenshots,
# and for the release chmcmd (fp-utils) for Help.chm and NSIS for the installer.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git pkg-config
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64 fonts-wqy-microhei
    xvfb x11-utils xdotool imagemagick
    googletest libbenchmark-dev libssl-dev zlib1g-dev
    clang libclang-rt-14-dev
    fp-utils nsis
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
fi
sudo_if_needed apt-get update -q
sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
