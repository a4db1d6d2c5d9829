#!/usr/bin/env bash
# Configures and builds into build/ (Release unless told otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build "$@"
cmake --build build --parallel "$(nproc)"
