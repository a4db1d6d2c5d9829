// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "standin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString standInProgram = QStringLiteral(STANDIN_PROGRAM);
QString executableSuffix = QStringLiteral(EXECUTABLE_SUFFIX);

// A Windows stand-in records its paths with backslashes, also when a Linux
// test reads them.
QString withForwardSlashes(QString path)
{
    return executableSuffix == QLatin1String(".exe") ? path.replace(QLatin1Char('\\'), QLatin1Char('/')) : path;
}

} // namespace

QString StandIn::executable(const QString &path)
{
    return path + executableSuffix;
}

void StandIn::useProgram(const QString &program, const QString &suffix)
{
    standInProgram = program;
    executableSuffix = suffix;
}

StandIn::StandIn(const QString &path, const QStringList &instructions, const QString &program)
    : m_path(executable(path))
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QFile::copy(program.isEmpty() ? standInProgram : program, m_path);
    QFile file(m_path + QLatin1String(".do"));
    if (file.open(QIODevice::WriteOnly))
        file.write(instructions.join(QLatin1Char('\n')).toUtf8());
}

QString StandIn::path() const
{
    return m_path;
}

QList<StandIn::Run> StandIn::runs() const
{
    return runsOf(m_path);
}

QList<StandIn::Run> StandIn::runsOf(const QString &executable)
{
    QFile file(executable + QLatin1String(".record"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Run> found;
    for (const QByteArray &record : file.readAll().split('\x1e')) {
        if (record.isEmpty())
            continue;
        QStringList fields;
        for (const QByteArray &field : record.split('\0'))
            fields << QString::fromUtf8(field);
        fields.removeLast(); // after the last field's terminator
        Run run;
        run.program = withForwardSlashes(fields.takeFirst());
        run.workingDirectory = withForwardSlashes(fields.takeFirst());
        run.arguments = fields;
        found << run;
    }
    return found;
}

QByteArray StandIn::windowsFound() const
{
    QFile file(m_path + QLatin1String(".windows"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("not listed");
}
