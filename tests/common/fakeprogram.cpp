#include "fakeprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char fieldEnd = '\0';
const char runEnd = '\036';

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

const char *FakeProgram::markerVariable()
{
    return "LAUNCHER_TEST_MARKER";
}

FakeProgram::FakeProgram(const QString &path, int exitCode, const QString &shellLines)
    : m_path(path)
    , m_recordPath(path + QLatin1String(".record"))
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString record = shellQuoted(m_recordPath);
    const QString script = QStringLiteral(
        "#!/bin/sh\n"
        "printf '%s\\0' \"$0\" \"$(pwd -P)\" \"${%1-}\" \"$@\" >> %2\n"
        "printf '\\036' >> %2\n"
        "%3\n"
        "exit %4\n")
        .arg(QLatin1String(markerVariable()), record, shellLines, QString::number(exitCode));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(script.toUtf8());
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup);
    }
}

QString FakeProgram::path() const
{
    return m_path;
}

QList<FakeProgram::Invocation> FakeProgram::invocations() const
{
    QFile file(m_recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Invocation> runs;
    const QList<QByteArray> records = file.readAll().split(runEnd);
    for (const QByteArray &record : records) {
        if (record.isEmpty())
            continue;
        QStringList fields;
        for (const QByteArray &field : record.split(fieldEnd))
            fields << QString::fromUtf8(field);
        fields.removeLast(); // after the last field's terminator
        Invocation run;
        run.program = fields.takeFirst();
        run.workingDirectory = fields.takeFirst();
        run.marker = fields.takeFirst();
        run.arguments = fields;
        runs << run;
    }
    return runs;
}
