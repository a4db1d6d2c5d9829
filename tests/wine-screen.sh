#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# wine-screen.sh --dpi N | --desktop WxH PROGRAM [ARGUMENTS...]: runs a
# Windows program under Wine at another scale, or on a desktop of another
# size, in a Wine session of its own: a virtual desktop stays in effect for
# every later program of its session. Wine reports LogPixels as the DPI to
# DPI-aware programs, as Windows reports the display's scale; the desktop is
# a Wine virtual desktop, a window of that size on the X server.
set -euo pipefail
if [ -z "${WINE_SCREEN_SESSION:-}" ]; then
    WINE_SCREEN_SESSION=1 exec bash "$(dirname "$0")/../scripts/wine-session.sh" bash "$0" "$@"
fi
setting=$1 value=$2
shift 2
reg() { wine reg add "$@" /f < /dev/null > /dev/null 2>&1; }
case $setting in
--dpi)
    reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$value" ;;
--desktop)
    # A desktop of a new name: the session's own exists already, full size.
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Small
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Small /d "$value" ;;
*)
    echo "usage: wine-screen.sh --dpi N | --desktop WxH PROGRAM [ARGUMENTS...]" >&2
    exit 2 ;;
esac
# Its QtTest report, as every Windows suite's.
exec bash "$(dirname "$0")/wine-test.sh" wine "$@"
