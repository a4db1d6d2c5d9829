#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Builds and runs every test: the Linux build in build/, then the Windows
# build in build-windows/ under Wine. The first run on a machine builds a
# static Qt for Windows (15 to 30 minutes; cached afterwards). With
# --linux-only the Windows half is left out. Further arguments go to the
# Linux build's CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=true
if [ "${1:-}" = "--linux-only" ]; then
    windows=false
    shift
fi

bash scripts/install-dependencies.sh
bash scripts/build.sh "$@"
(cd build && ctest --output-on-failure --timeout 600)

if $windows; then
    # The end-to-end suite is a Linux program that drives launcher.exe under Wine.
    bash scripts/windows.sh -DHOST_END_TO_END_TEST="$PWD/build/tests/launch/tst_launcherexecutable"
    bash scripts/wine-session.sh ctest --test-dir build-windows --output-on-failure --timeout 900
fi
