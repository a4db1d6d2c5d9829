#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Sets everything up and starts the launcher on the bundled demo, as a user
# would: from the demo folder. With --no-java, Java is hidden from it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh

cd build/demo
environment=()
if [ "${1:-}" = "--no-java" ]; then
    # No JAVA_HOME and a search path without java: the launcher asks what to do.
    environment=(env -u JAVA_HOME PATH=/nonexistent)
elif [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    # The launch path opens no window, so it runs without a display too.
    export QT_QPA_PLATFORM=offscreen
fi

set +e
"${environment[@]}" ../launcher
status=$?
set -e
echo "The launcher ended with status $status."
exit "$status"
