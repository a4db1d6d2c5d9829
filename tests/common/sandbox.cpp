// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "sandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

Sandbox::Sandbox()
    : m_previousDirectory(QDir::currentPath())
    , m_path(qgetenv("PATH"))
    , m_javaHomeWasSet(qEnvironmentVariableIsSet("JAVA_HOME"))
    , m_javaHome(qgetenv("JAVA_HOME"))
{
    QDir::setCurrent(m_directory.path());
}

Sandbox::~Sandbox()
{
    QDir::setCurrent(m_previousDirectory);
    qputenv("PATH", m_path);
    if (m_javaHomeWasSet)
        qputenv("JAVA_HOME", m_javaHome);
    else
        unsetJavaHome();
}

QString Sandbox::path(const QString &relative) const
{
    return relative.isEmpty() ? m_directory.path() : m_directory.filePath(relative);
}

bool Sandbox::write(const QString &relative, const QByteArray &bytes) const
{
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile file(path(relative));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Sandbox::entries() const
{
    QStringList entries;
    const QDir root(path());
    QDirIterator it(path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = root.relativeFilePath(it.next());
        if (!entry.endsWith(QLatin1String(".record")) && !entry.endsWith(QLatin1String(".windows")))
            entries << entry;
    }
    entries.sort();
    return entries;
}

void Sandbox::setJavaHome(const QString &value)
{
    qputenv("JAVA_HOME", QFile::encodeName(value));
}

void Sandbox::unsetJavaHome()
{
    qunsetenv("JAVA_HOME");
}

void Sandbox::setSearchPath(const QString &folder)
{
    qputenv("PATH", QFile::encodeName(QDir::toNativeSeparators(folder)));
}
