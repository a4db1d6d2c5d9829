// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_PROGRAMSEARCH_WIN_H
#define RARUDOR_RUNTIME_PROGRAMSEARCH_WIN_H

#include <QString>
#include <QStringList>

// Where Windows programs are looked for, for the platform seam alone.
namespace ProgramSearch {

// The folders of PATH that name themselves by their full path ("C:\x" or
// "\\server\x", not one that depends on the current drive or directory),
// in order, with quotes taken off.
QStringList folders();

// The Windows folder; empty when Windows cannot name it.
QString windowsFolder();

// System32 and the Windows folder, in that order; either is left out when
// Windows cannot name it.
QStringList systemFolders();

// Whether the folder is below parent, or parent itself; case does not count.
bool isBelow(const QString &folder, const QString &parent);

// The full path of the first file of that name in those folders, in native
// separators; empty when there is none.
QString firstFileIn(const QStringList &folders, const QString &name);

} // namespace ProgramSearch

#endif // RARUDOR_RUNTIME_PROGRAMSEARCH_WIN_H
