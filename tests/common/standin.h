// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_TESTS_STANDIN_H
#define RARUDOR_TESTS_STANDIN_H

#include <QList>
#include <QString>
#include <QStringList>

// A copy of the stand-in program, in place of java or an installer: it
// records how it was started and follows the instructions it is given
// ("exit 3", "crash", "flood FILE", "grandchild FILE", "sleep MS",
// "close-outputs", "windows PATTERN", "overrun", "read-input", "broadcast",
// "error-line TEXT", "install FOLDER", "copy-input FILE", "minimized-window MS",
// "open-arguments";
// see tests/standin/standin.cpp).
class StandIn
{
public:
    struct Run {
        QString program;
        QString workingDirectory;
        QStringList arguments;
    };

    // path plus the target's executable suffix (".exe" on Windows).
    static QString executable(const QString &path);
    // Another build of the program, for a target other than the tests' own
    // (the Windows program, driven from Linux).
    static void useProgram(const QString &program, const QString &executableSuffix);

    // Copies the program, or another build of it, to executable(path), creating folders.
    explicit StandIn(const QString &path, const QStringList &instructions = {}, const QString &program = QString());

    QString path() const;
    // Every run so far, oldest first; paths with forward slashes.
    QList<Run> runs() const;
    // The same for a stand-in put in place by other means, such as a package.
    static QList<Run> runsOf(const QString &executable);
    // What the last "windows" instruction found, one title or id a line.
    QByteArray windowsFound() const;

private:
    QString m_path;
};

#endif // RARUDOR_TESTS_STANDIN_H
