#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Runs a command in a private Wine session: a new prefix in a temporary
# folder, an X server of its own and one wineserver kept alive for the
# whole command, so that each Windows program starts in about a second
# instead of setting up Wine anew. Wine itself downloads nothing (no Mono,
# no Gecko); the programs it runs are not cut off from the network.
set -euo pipefail

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix
# Without mscoree and mshtml, Wine would offer to download Mono and Gecko;
# without winedbg a crashing program ends, as on Windows without Error
# Reporting, instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEDEBUG=-all
# Wine names Unix files in the locale's character set: UTF-8, for
# non-ASCII file names.
export LANG=C.UTF-8
unset LC_ALL LANGUAGE
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "${xvfb:-}" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

source "$(dirname "$0")/xvfb.sh"
start_xvfb 1920x1080

# The prefix is made once, before anything runs: first starts in parallel break it.
wineboot -i > /dev/null 2>&1
wineserver -w
wineserver -p
# Start Wine's services now, on no pipe: started by the first test, they
# would hold its output pipe open and CTest would wait for it for ever.
wine wineboot < /dev/null > /dev/null 2>&1
# Windows opens an .msi with "msiexec /i "%1" %*"; Wine's own entry lacks
# the %* and so drops the arguments of a package started through the shell.
wine reg add 'HKCR\Msi.Package\shell\Open\command' /ve /f \
    /d '"C:\windows\system32\msiexec.exe" /i "%1" %*' < /dev/null > /dev/null 2>&1
"$@"
