#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# zip-package.sh FOLDER ZIP: packs the files below FOLDER into ZIP so that
# the same files always give the same bytes: entries sorted by name, every
# time SOURCE_DATE_EPOCH in UTC, fixed permissions, no owner and no folder
# entries. Anything at ZIP is replaced.
set -euo pipefail
folder=$1
zip=$(realpath -m "$2")
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH must be set}"

find "$folder" -type f -exec chmod 0644 {} + -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$zip"
# -X: no extra fields (owner, Unix times); -D: no folder entries. zip writes
# local times: UTC makes them the same in every time zone.
(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort | TZ=UTC zip -q -X -D "$zip" -@)
