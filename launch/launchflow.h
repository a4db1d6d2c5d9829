// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_LAUNCH_LAUNCHFLOW_H
#define RARUDOR_LAUNCH_LAUNCHFLOW_H

class Launcher;

// Hands over to the installation's running wallet (instance=single), or
// finds Java and runs the application, or asks the user what to do without
// it; reports a failure in a modal error box. Blocks until every child it
// starts has ended. Returns the process exit status: 0 or 1.
int runLauncher(Launcher &launcher);

// Shows the launch error in a modal error box; returns the exit status 1.
int reportLaunchError();

#endif // RARUDOR_LAUNCH_LAUNCHFLOW_H
