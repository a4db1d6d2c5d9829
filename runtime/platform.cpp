// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"

#include <QProcess>

namespace Platform {

void restrictDllSearch()
{
}

QString javaUnderHome()
{
    return QStringLiteral("bin/java");
}

QString javaOnSearchPath()
{
    return QStringLiteral("java");
}

bool fitsCommandLine(const QString &, const QStringList &)
{
    return true;
}

void waitForFinished(QProcess &process)
{
    process.waitForFinished(-1);
}

std::optional<int> runInstaller(const QString &, const QStringList &)
{
    return std::nullopt;
}

} // namespace Platform
