#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and starts the installed launcher
# once on the demo folder, as a user of the installed program would.
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" > /dev/null
test -x "$prefix/bin/launcher" || { echo "launcher not installed"; exit 1; }
test -f "$prefix/bin/launcher_de.qm" || { echo "German translation not installed"; exit 1; }

cd "$build/demo"
output=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/launcher" 2>&1)
grep -q "Rarudor Wallet demo is running" <<< "$output" || { echo "the demo did not run: $output"; exit 1; }
echo "the installed launcher ran the demo and ended with status 0"
