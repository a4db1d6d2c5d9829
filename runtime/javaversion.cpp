// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "javaversion.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace JavaVersion {

int feature(const QString &version)
{
    // Up to Java 8 the feature version came second: "1.8.0_381".
    static const QRegularExpression leadingNumber(QStringLiteral("^(?:1\\.(?=\\d))?(\\d{1,9})"));
    const QRegularExpressionMatch match = leadingNumber.match(version);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

namespace {

// The numbers of a version, the feature version first.
QList<qint64> numbers(const QString &version)
{
    static const QRegularExpression number(QStringLiteral("\\d{1,9}"));
    QList<qint64> found{feature(version)};
    QRegularExpressionMatchIterator it = number.globalMatch(version);
    // What the feature version took: "1" and "8" of "1.8.0_381", "17" of "17.0.15".
    for (int skip = version.startsWith(QLatin1String("1.")) ? 2 : 1; skip > 0 && it.hasNext(); --skip)
        it.next();
    while (it.hasNext())
        found << it.next().captured().toLongLong();
    return found;
}

} // namespace

bool isNewer(const QString &version, const QString &other)
{
    const QList<qint64> mine = numbers(version);
    const QList<qint64> theirs = numbers(other);
    return std::lexicographical_compare(theirs.cbegin(), theirs.cend(), mine.cbegin(), mine.cend());
}

QString fromReleaseFile(const QString &path)
{
    // A release file is a few hundred bytes: 64 KiB holds any real one.
    constexpr qint64 largestRead = 65536;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QString();
    static const QRegularExpression javaVersion(QStringLiteral("^JAVA_VERSION=\"?([^\"\\r\\n]*)"),
                                                QRegularExpression::MultilineOption);
    return javaVersion.match(QString::fromUtf8(file.read(largestRead))).captured(1);
}

QString fromVersionOutput(const QByteArray &output)
{
    // Searched in the bytes: the answer may be megabytes long.
    const QByteArray opening("version \"");
    const int start = output.indexOf(opening);
    const int end = start < 0 ? -1 : output.indexOf('"', start + opening.size());
    if (end < 0)
        return QString();
    const QByteArray version = output.mid(start + opening.size(), end - start - opening.size());
    return version.contains('\n') ? QString() : QString::fromLocal8Bit(version);
}

} // namespace JavaVersion
