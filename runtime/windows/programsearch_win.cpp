// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "programsearch_win.h"

#include <QDir>
#include <QFileInfo>

#include <qt_windows.h>

namespace ProgramSearch {

namespace {

bool isFullPath(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    return (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('/'))
        || path.startsWith(QLatin1String("//"));
}

QString systemFolder(UINT (WINAPI *folderOf)(LPWSTR, UINT))
{
    wchar_t folder[MAX_PATH];
    const UINT length = folderOf(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? QString::fromWCharArray(folder, int(length)) : QString();
}

} // namespace

QStringList folders()
{
    QStringList found;
    for (QString folder : qEnvironmentVariable("PATH").split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        folder.remove(QLatin1Char('"'));
        if (isFullPath(folder))
            found << folder;
    }
    return found;
}

QString windowsFolder()
{
    return systemFolder(GetWindowsDirectoryW);
}

QStringList systemFolders()
{
    QStringList found{systemFolder(GetSystemDirectoryW), windowsFolder()};
    // An empty one would be the working directory.
    found.removeAll(QString());
    return found;
}

bool isBelow(const QString &folder, const QString &parent)
{
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(folder)) + QLatin1Char('/');
    const QString start = QDir::cleanPath(QDir::fromNativeSeparators(parent)) + QLatin1Char('/');
    return !parent.isEmpty() && path.startsWith(start, Qt::CaseInsensitive);
}

QString firstFileIn(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(QDir::fromNativeSeparators(folder)), name);
        if (file.isFile())
            return QDir::toNativeSeparators(file.filePath());
    }
    return QString();
}

} // namespace ProgramSearch
