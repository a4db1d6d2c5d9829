#ifndef RARUDOR_LAUNCH_LAUNCHFLOW_H
#define RARUDOR_LAUNCH_LAUNCHFLOW_H

class Launcher;

// Finds Java and runs the application, or asks the user what to do
// without it. Returns the process exit status.
int runLauncher(Launcher &launcher);

int resolveMissingRuntime(Launcher &launcher);

#endif // RARUDOR_LAUNCH_LAUNCHFLOW_H
