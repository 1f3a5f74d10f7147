#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the demo need and the machine
# lacks. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    cmake make g++ pkg-config python3 curl
    googletest                                   # GoogleTest sources, built for both sides
    libpugixml-dev libcurl4-openssl-dev          # portable adapters
    mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    mingw-w64-tools                              # widl
    libwine-dev                                  # IDL files and standard type libraries
    wine wine64                                  # x64 only: this kernel runs no 32-bit programs
    wixl msitools                                # MSI test packages
    xvfb                                         # the demo's display for its screenshot
)

missing=()
for p in "${packages[@]}"; do
    [[ $p == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "bootstrap: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
