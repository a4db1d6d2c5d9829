#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Sets everything up and starts the launcher on the bundled demo, as a user
# would: from the demo folder. With --no-java, Java is hidden from it.
# Without a display it runs on a private X server, and the dialog or error
# box it opens is closed with Escape, as a user would who gives up.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh

cd build/demo
environment=()
if [ "${1:-}" = "--no-java" ]; then
    # No JAVA_HOME and a search path without java: the launcher asks what to do.
    environment=(env -u JAVA_HOME PATH=/nonexistent)
fi

answer=false
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    source ../../scripts/xvfb.sh
    start_xvfb 1920x1080
    trap 'kill "$xvfb"' EXIT
    answer=true
fi

"${environment[@]}" ../launcher &
launcher=$!
while $answer && kill -0 "$launcher" 2> /dev/null; do
    window=$(xdotool search --onlyvisible --name '^(Rarudor Wallet|Error)' 2> /dev/null | head -n1 || true)
    if [ -n "$window" ]; then
        echo "No display: the window \"$(xdotool getwindowname "$window")\" opened; closing it with Escape."
        xdotool windowfocus --sync "$window" key Escape 2> /dev/null || true
        sleep 1
    fi
    sleep 0.2
done
set +e
wait "$launcher"
status=$?
set -e
echo "The launcher ended with status $status."
exit "$status"
