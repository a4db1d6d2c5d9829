#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# wine-test.sh WINE TEST.exe [ARGUMENTS...]: runs a QtTest program under Wine
# with its log written to a file, and shows the log afterwards. A Windows
# QtTest program's own output reaches no pipe under Wine, so without this a
# failing suite says nothing of which row failed.
set -uo pipefail
wine=$1 test=$2
shift 2
log=$(basename "$test" .exe).log
rm -f "$log"
"$wine" "$test" -o "$log,txt" "$@"
status=$?
cat "$log" 2> /dev/null
exit "$status"
