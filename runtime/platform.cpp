// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"

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

std::optional<int> runInstaller(const QString &, const QStringList &)
{
    return std::nullopt;
}

} // namespace Platform
