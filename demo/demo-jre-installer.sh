#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Stands in for the Java runtime installer shipped with the application.
echo "Demo installer: a real one would now install the Java runtime shipped with Rarudor Wallet (arguments: $*)."
echo "Demo installer: start the launcher again once it has finished."
exit "${DEMO_INSTALLER_EXIT:-0}"
