#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Installs the Debian packages needed to build, run and test the launcher;
# with --windows also those that cross-build it and run it under Wine. Any
# further arguments are more packages.
set -euo pipefail

packages=(
    cmake g++ make
    qtbase5-dev qttools5-dev qttools5-dev-tools
    default-jdk-headless
    xvfb xdotool xauth
    # Arial's metrics, as on Windows, for the dialog's size on every screen.
    fonts-liberation2
)
if [ "${1:-}" = "--windows" ]; then
    shift
    packages+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
        dpkg-dev xz-utils imagemagick icoutils wine wine64 zip wixl osslsigncode openssl
        # Third-party notices and the bill of materials, and its validator.
        python3 qtattributionsscanner-qt5 nodejs
    )
fi
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
# Debian's nodejs comes without npm; other builds of it bring their own.
if [[ " ${missing[*]} " == *" nodejs "* ]]; then
    missing+=(npm)
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
