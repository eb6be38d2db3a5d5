#!/usr/bin/env bash
# Installs everything Kestrone needs to build, run and test on Debian 12:
# host compiler and CMake, the i686 MinGW-w64 cross compiler (the product) and
# the x86_64 one (its tests keep both pointer sizes right), 32- and 64-bit Wine,
# qemu-i386 (10.0 or later, from backports on Debian 12) to run 32-bit Wine on
# machines that run no 32-bit code, a CJK font for the Chinese texts,
# Xvfb, GoogleTest sources, Google Benchmark, OpenSSL and zlib (host tools and
# test oracles only), clang for the fuzz targets, ImageMagick for screenshots,
# and for the release chmcmd (fp-utils) for Help.chm, NSIS for the installer,
# wixl (of msitools) for the MSI package and xmllint (libxml2-utils) for the
# policy templates.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git pkg-config
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64 fonts-wqy-microhei
    xvfb x11-utils xdotool imagemagick
    googletest libbenchmark-dev libssl-dev zlib1g-dev
    clang libclang-rt-14-dev
    fp-utils nsis msitools wixl libxml2-utils
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

apt_install() { sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_if_needed dpkg --add-architecture i386
    fi
    sudo_if_needed apt-get update -q
    apt_install "${missing[@]}"
fi

# 32-bit Wine inside qemu user-mode emulation, where this machine runs no 32-bit
# code. Only qemu 10 or later runs it (Debian 12's own 7.2 does not): on
# Debian 12 the static qemu-i386 comes from bookworm-backports, taken from the
# mirror that already serves bookworm, and nothing else is taken from there.
# KESTRONE_WINE32=qemu installs it on any machine (see cmake/wine-env.sh).
qemu_fit() {
    local major
    major=$(qemu-i386 --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\)\..*/\1/p')
    [ "${major:-0}" -ge 10 ]
}
if { [ "${KESTRONE_WINE32:-}" = qemu ] || ! /usr/lib/wine/wine --version >/dev/null 2>&1; } &&
    ! qemu_fit; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ "$codename" = bookworm ]; then
        sudo_if_needed apt-get update -q
        mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
            awk '$2 == "bookworm" { print $1; exit }')
        if [ -z "$mirror" ]; then
            echo "install-deps.sh: no apt source serves bookworm; cannot add bookworm-backports" >&2
            exit 1
        fi
        if ! apt-get indextargets --format '$(RELEASE)' | grep -qx bookworm-backports; then
            echo "deb $mirror bookworm-backports main" |
                sudo_if_needed tee /etc/apt/sources.list.d/kestrone-backports.list >/dev/null
            sudo_if_needed apt-get update -q
        fi
        apt_install qemu-user/bookworm-backports
    else
        apt_install qemu-user
    fi
    qemu_fit || { echo "install-deps.sh: qemu-i386 10.0 or later is needed" >&2; exit 1; }
fi
