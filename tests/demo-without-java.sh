#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# The README's demo with Java hidden, as a newcomer without a display runs
# it: OK runs the demo installer and ends with 0; Escape ends with 1.
set -euo pipefail
cd "$(dirname "$0")/.."

run_demo() {
    env -u DISPLAY -u WAYLAND_DISPLAY DEMO_ANSWER="$1" bash scripts/demo.sh --no-java 2>&1
}

output=$(run_demo Return) || { echo "$output"; echo "OK did not end with status 0"; exit 1; }
grep -q "^Demo installer: a real one would now install" <<< "$output" \
    || { echo "$output"; echo "OK did not run the demo installer"; exit 1; }
status=0
output=$(run_demo Escape) || status=$?
if [ "$status" -ne 1 ] || grep -q "^Demo installer" <<< "$output"; then
    echo "$output"
    echo "Escape ended with status $status"
    exit 1
fi
echo "demo --no-java: OK installed with status 0, Escape quit with status 1"
