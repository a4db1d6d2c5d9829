// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_LAUNCHER_H
#define RARUDOR_RUNTIME_LAUNCHER_H

#include <QString>
#include <QStringList>

// What the launcher knows about the application it starts, and the child
// processes it runs for it. Every call that runs a child blocks the calling
// thread, without a time limit, until that child ends; the child inherits
// the working directory, the environment and the standard output and error.
//
// A status is the child's exit code, or -1 when it failed to start or
// crashed; 0 alone means success.
class Launcher
{
public:
    // Reads jar and jre from launcher.ini in the working directory, and
    // nowhere else; [win32] wins over [General]. A file that is missing,
    // unreadable or not a regular file reads as no settings.
    Launcher();

    int runProcess(const QString &program, const QStringList &arguments);
    // Splits the command line at spaces, with double quotes grouping.
    int runCommand(const QString &command);

    // True when Java was found: JAVA_HOME's bin/java if that file exists,
    // else the java of the search path (Platform::javaOnSearchPath) if its
    // "-version" succeeds. Sets javaPath.
    bool findJava();
    // These three answer the opposite question: true when they failed.
    // launchWith runs javaExecutable with "-jar" and jarPath.
    bool launchWith(const QString &javaExecutable);
    bool launch();
    bool installJre();

    QString javaPath;
    QString jarPath;
    QString jreInstaller;
};

#endif // RARUDOR_RUNTIME_LAUNCHER_H
