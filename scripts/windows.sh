#!/usr/bin/env bash
# Builds the Windows package: a static Qt for Windows once per machine
# (about 45 minutes the first time, cached outside the clone), then
# launcher.exe in build-windows/ and the ZIP beside it. Extra arguments go
# to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh --windows

qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQt5LinguistTools_DIR="$(dirname "$(dpkg -L qttools5-dev | grep -m1 '/Qt5LinguistToolsConfig.cmake$')")" \
    -DQT_SOURCE_VERSION="$(dpkg-query -W -f='${Version}' libqt5core5a)" \
    "$@"
cmake --build build-windows --parallel "$(nproc)"
(cd build-windows && cpack -C Release > /dev/null)
echo "launcher.exe: build-windows/launcher.exe ($(du -k build-windows/launcher.exe | cut -f1) KiB)"
echo "package:      $(ls build-windows/RarudorWalletLauncher-*-win64.zip)"
