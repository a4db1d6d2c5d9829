// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"

#include <QProcess>

#include <cstdio>

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

void writeOn(Output output, const QByteArray &bytes)
{
    FILE *stream = output == Output::Standard ? stdout : stderr;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
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
