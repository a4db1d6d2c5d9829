// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_LAUNCHER_H
#define RARUDOR_RUNTIME_LAUNCHER_H

#include "launchlog.h"

#include <QString>
#include <QStringList>

class QProcess;

#include <memory>
#include <optional>

namespace Platform {
class HandOffChannel;
}

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
    // Reads launcher.ini from the working directory, and nowhere else;
    // [win32] wins over [General], even with an empty value. A file that is
    // missing, unreadable or not a regular file reads as no settings, and so
    // does a value of no use, such as a minjava that is no positive number.
    // commandLineArguments are the launcher's own, without the program name:
    // the application gets them only when arguments=forward.
    explicit Launcher(const QStringList &commandLineArguments = QStringList());
    ~Launcher();
    Launcher(const Launcher &) = delete;
    Launcher &operator=(const Launcher &) = delete;

    // With singleInstance: when another launcher of this installation holds
    // its running wallet, hands it the arguments the wallet would get, and
    // returns the status to end with: 0 when it took them, 1 when its
    // wallet's input was full. Nothing when this start is to run as usual:
    // then, if no other launcher holds one, it holds the wallet it runs.
    std::optional<int> handOffToRunningWallet();

    int runProcess(const QString &program, const QStringList &arguments);
    // Splits the command line at spaces, with double quotes grouping.
    // Windows' "installed, restart required" and "restart started" codes
    // (3010 and 1641) count as 0; the latter sets restartStarted.
    int runCommand(const QString &command);

    // True when Java was found, and sets javaPath. Tried in turn: bin/java
    // of the bundled runtime, then of JAVA_HOME, where that file exists;
    // then the java of the search path (Platform::javaOnSearchPath) if its
    // "-version" succeeds within 30 seconds; then, with discoverInstalled,
    // the newest of the Java homes the system lists
    // (Platform::installedJavaHomes) whose release file names a version or
    // whose "-version" succeeds. With a minimum Java version, the
    // first that is new enough: a Java home's release file tells, else what
    // "-version" wrote, which still reaches the launcher's own outputs; each
    // Java passed over gets a line on standard error.
    bool findJava();
    // findJava once more after an installation, with JAVA_HOME and PATH
    // taken anew from where installers write them (on Windows, the registry).
    bool findInstalledJava();
    // These three answer the opposite question: true when they failed.
    // launchWith runs javaExecutable with jvmOptions, "-jar", jarPath and
    // applicationArguments, the last two as Java can read them
    // (Platform::argumentForJava).
    bool launchWith(const QString &javaExecutable);
    bool launch();
    bool installJre();

    QString javaPath;
    QString jarPath;
    QString jreInstaller;
    // The options key, split like jre.
    QStringList jvmOptions;
    QStringList applicationArguments;
    // The minjava key: the lowest Java feature version to run on; 0 for any.
    int minimumJavaVersion = 0;
    // The runtime key: a Java home shipped with the application; empty for none.
    QString bundledRuntime;
    // afterinstall=launch: a successful installation goes on to the wallet.
    bool launchAfterInstall = false;
    // discover=installed: last, the Java runtimes the system lists as installed.
    bool discoverInstalled = false;
    // instance=single: one wallet an installation; later starts hand over.
    bool singleInstance = false;
    // The last installer reported that it has started a restart of Windows.
    bool restartStarted = false;
    // The log key's file; closed without it. With it open, the wallet's
    // standard error goes there instead of to the launcher's.
    LaunchLog log;
    // What the wallet wrote to standard error in its last run, with the
    // log open (see LaunchLog::appendedSince); else empty.
    QString walletErrors;

    // A line for whoever reads the launcher's standard error, and the log.
    void report(const QString &line) const;

private:
    // Waits for the wallet; as the holder, writes later starts' arguments to its input meanwhile.
    int waitForWallet(QProcess &wallet);
    bool takeJavaUnder(const QString &javaHome);
    bool takeJavaOnSearchPath();
    bool takeNewestInstalledJava();
    // The version of the Java home's java: its release file, else its
    // answer, empty when it names none; nothing when it failed or never answered.
    std::optional<QString> versionUnder(const QString &javaHome, const QString &java) const;
    bool isNewEnough(const QString &java, const QString &version) const;

    std::unique_ptr<Platform::HandOffChannel> m_channel; // claimed: this start holds
};

#endif // RARUDOR_RUNTIME_LAUNCHER_H
