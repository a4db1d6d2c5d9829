# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Sourced by the scripts that need a private X server.

# start_xvfb WIDTHxHEIGHT [XVFB OPTIONS...]: starts Xvfb on a display it
# picks itself (-displayfd names it once it accepts clients), exports
# DISPLAY and leaves the server's pid in xvfb.
start_xvfb() {
    local ready display
    exec {ready}<> <(:)
    Xvfb -displayfd "$ready" -nolisten tcp -screen 0 "$1x24" "${@:2}" 2> /dev/null &
    xvfb=$!
    read -r -t 60 -u "$ready" display || { echo "Xvfb did not start within 60 s" >&2; return 1; }
    exec {ready}>&-
    export DISPLAY=":$display"
}
