#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# wine-screen.sh --dpi N | --desktop WxH PROGRAM [ARGUMENTS...]: runs a
# Windows program under Wine at another scale, or on a desktop of another
# size, then puts the prefix back as it was. Wine reports LogPixels as the
# DPI to DPI-aware programs, as Windows reports the display's scale; the
# desktop is a Wine virtual desktop, a window of that size on the X server.
set -euo pipefail
setting=$1 value=$2
shift 2
reg() { wine reg "$@" < /dev/null > /dev/null 2>&1; }
case $setting in
--dpi)
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$value" /f
    trap "reg delete 'HKCU\\Control Panel\\Desktop' /v LogPixels /f" EXIT ;;
--desktop)
    # A desktop of a new name, so that it is made anew at that size.
    reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Small /f
    reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Small /d "$value" /f
    trap "reg delete 'HKCU\\Software\\Wine\\Explorer' /v Desktop /f" EXIT ;;
*)
    echo "usage: wine-screen.sh --dpi N | --desktop WxH PROGRAM [ARGUMENTS...]" >&2
    exit 2 ;;
esac
wine "$@"
