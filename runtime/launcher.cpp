// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"

#include "platform.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTextCodec>
#include <QVariant>

namespace {

const QString settingsFileName = QStringLiteral("launcher.ini");
const QString platformGroup = QStringLiteral("win32");

// Qt reads an INI file as Latin-1 unless it starts with a UTF-8 byte-order
// mark; editors today save UTF-8 without one, so take valid UTF-8 as such.
bool isValidUtf8(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

void useUtf8WhenValid(QSettings &settings)
{
    QFile file(settingsFileName);
    if (file.open(QIODevice::ReadOnly) && isValidUtf8(file.readAll()))
        settings.setIniCodec("UTF-8");
}

// An unquoted comma makes the INI dialect return a list, which toString()
// turns into nothing; put the value back together instead.
QString settingText(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key, QVariant());
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void readSetting(const QSettings &settings, const QString &key, QString &field)
{
    if (settings.contains(key))
        field = settingText(settings, key);
}

QString javaHomeVariable()
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 10, 0)
    return qEnvironmentVariable("JAVA_HOME");
#else
    return QString::fromLocal8Bit(qgetenv("JAVA_HOME"));
#endif
}

QString javaUnder(const QString &javaHome)
{
    const QString executable = Platform::javaUnderHome();
    if (javaHome.isEmpty() || javaHome.endsWith(QLatin1Char('/')) || javaHome.endsWith(QLatin1Char('\\')))
        return javaHome + executable;
    return javaHome + QLatin1Char('/') + executable;
}

int statusOf(const QProcess &process)
{
    if (process.error() == QProcess::FailedToStart)
        return -1;
    // The exit code means nothing once the child has crashed.
    if (process.exitStatus() == QProcess::CrashExit)
        return -1;
    return process.exitCode();
}

void startForwarded(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments, QIODevice::ReadWrite);
    // Nothing is ever written to it: a child that reads it sees its end at
    // once instead of waiting for ever, unseen.
    process.closeWriteChannel();
}

int waitForStatus(QProcess &process)
{
    Platform::waitForFinished(process);
    return statusOf(process);
}

} // namespace

Launcher::Launcher()
{
    // A named pipe would block the start for ever and a device would be
    // read until memory runs out: neither holds settings.
    if (!QFileInfo(settingsFileName).isFile())
        return;
    QSettings settings(settingsFileName, QSettings::IniFormat);
    useUtf8WhenValid(settings);
    readSetting(settings, QStringLiteral("jre"), jreInstaller);
    readSetting(settings, QStringLiteral("jar"), jarPath);
    readSetting(settings, platformGroup + QStringLiteral("/jre"), jreInstaller);
    readSetting(settings, platformGroup + QStringLiteral("/jar"), jarPath);
}

int Launcher::runProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    startForwarded(process, program, arguments);
    return waitForStatus(process);
}

int Launcher::runCommand(const QString &command)
{
    QStringList arguments = QProcess::splitCommand(command);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    const std::optional<int> status = Platform::runInstaller(program, arguments);
    return status ? *status : runProcess(program, arguments);
}

bool Launcher::findJava()
{
    if (qEnvironmentVariableIsSet("JAVA_HOME")) {
        const QString candidate = javaUnder(javaHomeVariable());
        if (QFile::exists(candidate)) {
            javaPath = candidate;
            return true;
        }
    }
    const QString java = Platform::javaOnSearchPath();
    if (java.isEmpty() || runProcess(java, {QStringLiteral("-version")}) != 0)
        return false;
    javaPath = java;
    return true;
}

bool Launcher::launchWith(const QString &javaExecutable)
{
    return runProcess(javaExecutable, {QStringLiteral("-jar"), jarPath}) != 0;
}

bool Launcher::launch()
{
    return launchWith(javaPath);
}

bool Launcher::installJre()
{
    return runCommand(jreInstaller) != 0;
}
