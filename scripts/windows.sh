#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Builds the Windows package, the same bytes on any machine for the same
# commit: a static Qt for Windows once per machine (15 to 30 minutes the
# first time, cached outside the clone), then in build-windows/ the
# launcher.exe, the ZIP, BUILDINFO.txt and SHA256SUMS. Extra arguments go
# to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh --windows

# One time for every step that records one: the commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# CMake does not see that time change, and rcc and the linker record it:
# a build folder of another commit starts afresh.
if [ "$(cat build-windows/source-date-epoch 2> /dev/null)" != "$SOURCE_DATE_EPOCH" ]; then
    rm -rf build-windows
fi
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
qt_version=$(dpkg-query -W -f='${Version}' libqt5core5a)
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQt5LinguistTools_DIR="$(dirname "$(dpkg -L qttools5-dev | grep -m1 '/Qt5LinguistToolsConfig.cmake$')")" \
    -DQT_SOURCE_VERSION="$qt_version" \
    -DLAUNCHER_COMMIT="$(git rev-parse HEAD)" -DLAUNCHER_SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
    "$@"
echo "$SOURCE_DATE_EPOCH" > build-windows/source-date-epoch
cmake --build build-windows --parallel "$(nproc)"

cd build-windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
# What a verifier needs to build the same bytes.
{
    echo "Rarudor Wallet launcher $version, commit $(git rev-parse HEAD)"
    echo "SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH"
    echo "Built with these Debian packages:"
    # libqt5core5a's version picks Qt's source; the compilers' packages are
    # those the bill of materials names.
    dpkg-query -W -f='  ${Package} ${Version}\n' g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
        binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev libqt5core5a cmake qtbase5-dev-tools qttools5-dev-tools imagemagick zip osslsigncode python3 \
        qtattributionsscanner-qt5
    cat "$qt/buildinfo.txt"
} > BUILDINFO.txt
package=RarudorWalletLauncher-$version-win64.zip
rm -rf stage
cmake --install . --prefix stage > /dev/null
cp BUILDINFO.txt stage/
bash ../scripts/zip-package.sh stage "$package"
sha256sum launcher.exe "$package" > SHA256SUMS
echo "launcher.exe: build-windows/launcher.exe ($(stat -c %s launcher.exe) bytes)"
echo "package:      build-windows/$package"
cat SHA256SUMS
