// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launchlog.h"

#include "platform.h"
#include "variableexpansion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 largestLog = qint64(1024) * 1024;

std::optional<QString> environmentVariable(const QString &name)
{
    if (name.isEmpty() || !qEnvironmentVariableIsSet(qPrintable(name)))
        return std::nullopt;
    return qEnvironmentVariable(qPrintable(name));
}

} // namespace

void LaunchLog::open(const QString &setting)
{
    if (setting.isEmpty())
        return;
    const QString path = QDir::current().absoluteFilePath(expandVariables(setting, environmentVariable).value_or(setting));
    const QFileInfo info(path);
    QString failure;
    if (info.exists() && !info.isFile()) {
        failure = QStringLiteral("it is no file");
    } else if (!QDir().mkpath(info.absolutePath())) {
        failure = QStringLiteral("its folder cannot be made");
    } else {
        if (info.size() > largestLog) {
            QFile::remove(path + QStringLiteral(".1"));
            QFile::rename(path, path + QStringLiteral(".1"));
        }
        QFile file(path);
        if (!file.open(QIODevice::Append))
            failure = file.errorString();
    }
    if (!failure.isEmpty()) {
        Platform::writeOn(Platform::Output::Error, QStringLiteral("launcher: cannot write the log %1: %2\n")
                                                       .arg(QDir::toNativeSeparators(path), failure)
                                                       .toLocal8Bit());
        return;
    }
    m_path = path;
}

bool LaunchLog::isOpen() const
{
    return !m_path.isEmpty();
}

QString LaunchLog::filePath() const
{
    return m_path;
}

void LaunchLog::write(const QString &line) const
{
    if (m_path.isEmpty())
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::Append))
        return;
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    file.write((now.toString(Qt::ISODate) + QLatin1Char(' ') + line + QLatin1Char('\n')).toUtf8());
}

qint64 LaunchLog::end() const
{
    return m_path.isEmpty() ? 0 : QFileInfo(m_path).size();
}

QString LaunchLog::appendedSince(qint64 offset) const
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    // One byte more than kept: it tells whether the first line is whole.
    const qint64 start = qMax(offset, file.size() - detailBytes - 1);
    if (!file.seek(start))
        return QString();
    QByteArray tail = file.readAll();
    if (start > offset)
        tail = tail.mid(tail.indexOf('\n') + 1);
    QList<QByteArray> lines = tail.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // Windows programs end their lines with CR LF.
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return QString::fromLocal8Bit(lines.mid(qMax(0, lines.size() - detailLines)).join('\n'));
}
