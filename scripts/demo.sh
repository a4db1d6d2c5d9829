#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Sets everything up and starts the launcher on the bundled demo, as a user
# would: from the demo folder. With --no-java, Java is hidden from it.
# Without a display it runs on a private X server, and the dialog or error
# box it opens is closed with Escape, as a user would who gives up, or
# answered with the key that DEMO_ANSWER names (Return: OK).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
bash scripts/build.sh

cd build/demo
environment=()
tools=$(mktemp -d)
xvfb=
trap 'rm -rf "$tools"; [ -z "$xvfb" ] || kill "$xvfb"' EXIT
if [ "${1:-}" = "--no-java" ]; then
    # No JAVA_HOME, and a search path with nothing but the sh that the demo
    # installer's command line names: the launcher asks what to do.
    ln -s "$(command -v sh)" "$tools/sh"
    environment=(env -u JAVA_HOME PATH="$tools")
fi

answer=false
key=${DEMO_ANSWER:-Escape}
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    source ../../scripts/xvfb.sh
    start_xvfb 1920x1080
    answer=true
fi

"${environment[@]}" ../launcher &
launcher=$!
while $answer && kill -0 "$launcher" 2> /dev/null; do
    window=$(xdotool search --onlyvisible --name '^(Rarudor Wallet|Error)' 2> /dev/null | head -n1 || true)
    if [ -n "$window" ]; then
        echo "No display: the window \"$(xdotool getwindowname "$window")\" opened; pressing $key."
        xdotool windowfocus --sync "$window" key "$key" 2> /dev/null || true
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
