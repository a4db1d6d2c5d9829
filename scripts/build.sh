#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Configures and builds into build/ (Release unless told otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build "$@"
cmake --build build --parallel "$(nproc)"
