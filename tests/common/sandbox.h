// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_TESTS_SANDBOX_H
#define RARUDOR_TESTS_SANDBOX_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch folder made the working directory, with PATH and JAVA_HOME put
// back as they were when it goes.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();

    QString path(const QString &relative = QString()) const;
    bool write(const QString &relative, const QByteArray &bytes) const;
    // Every file and folder below, relative and sorted, leaving out what the
    // stand-ins write about their own runs: to show that nothing else was written.
    QStringList entries() const;

    static void setJavaHome(const QString &value);
    static void unsetJavaHome();
    static void setSearchPath(const QString &folder);

private:
    QTemporaryDir m_directory;
    QString m_previousDirectory;
    QByteArray m_path;
    bool m_javaHomeWasSet;
    QByteArray m_javaHome;
};

#endif // RARUDOR_TESTS_SANDBOX_H
