// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"

#include "javaversion.h"
#include "platform.h"

#include <QDeadlineTimer>
#include <QDir>
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

QString underHome(const QString &javaHome, const QString &relative)
{
    if (javaHome.isEmpty() || javaHome.endsWith(QLatin1Char('/')) || javaHome.endsWith(QLatin1Char('\\')))
        return javaHome + relative;
    return javaHome + QLatin1Char('/') + relative;
}

int positiveNumber(const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber && number > 0 ? number : 0;
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

// A relative path with a folder, as checked against the working directory:
// Windows would look for it beside the launcher first.
QString fromWorkingDirectory(const QString &program)
{
    const bool hasFolder = program.contains(QLatin1Char('/')) || program.contains(QDir::separator());
    return hasFolder && QDir::isRelativePath(program) ? QDir::current().absoluteFilePath(program) : program;
}

void start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.start(fromWorkingDirectory(program), arguments, QIODevice::ReadWrite);
    // Nothing is ever written to it: a child that reads it sees its end at
    // once instead of waiting for ever, unseen.
    process.closeWriteChannel();
}

int waitForStatus(QProcess &process)
{
    Platform::waitForFinished(process);
    return statusOf(process);
}

struct VersionProbe {
    bool answered; // false: it did not end within the time limit
    int status;
    QString version;
};

// Windows' "installed, restart required" and "installed, restart started",
// which Windows Installer and the bootstrappers around it pass on.
constexpr int restartRequiredCode = 3010;
constexpr int restartStartedCode = 1641;

// A Java that never answers, such as one told to wait for a debugger,
// would otherwise hold the launcher for ever, with nothing on screen.
constexpr int probeTimeLimitMs = 30000;
// The version is in the first lines; the rest is only passed on.
constexpr int keptAnswerBytes = 64 * 1024;
// How much of the answer may pile up in memory before it is passed on.
constexpr int passOnIntervalMs = 10;

// "-version", with its answer passed on to the launcher's own outputs as it
// comes, and its start kept to read the version from.
VersionProbe probeVersion(const QString &java)
{
    // A wrapper's JVM goes with the wrapper.
    Platform::ChildProcess process(Platform::ChildProcess::Tree::Owned);
    start(process, java, {QStringLiteral("-version")});
    QByteArray answer;
    const auto passOn = [&process, &answer] {
        Platform::writeOn(Platform::Output::Standard, process.readAllStandardOutput());
        const QByteArray error = process.readAllStandardError();
        answer += error.left(keptAnswerBytes - answer.size());
        Platform::writeOn(Platform::Output::Error, error);
    };
    const QDeadlineTimer deadline(probeTimeLimitMs);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        process.waitForFinished(passOnIntervalMs);
        passOn();
    }
    if (process.state() != QProcess::NotRunning) {
        Platform::writeOn(Platform::Output::Error,
                          QStringLiteral("launcher: passed over %1, which did not answer \"-version\" within %2 seconds\n")
                              .arg(QDir::toNativeSeparators(java), QString::number(probeTimeLimitMs / 1000))
                              .toLocal8Bit());
        process.killTree();
        passOn();
        return {false, -1, QString()};
    }
    return {true, statusOf(process), JavaVersion::fromVersionOutput(answer)};
}

} // namespace

Launcher::Launcher(const QStringList &commandLineArguments)
{
    // A named pipe would block the start for ever and a device would be
    // read until memory runs out: neither holds settings.
    if (!QFileInfo(settingsFileName).isFile())
        return;
    QSettings settings(settingsFileName, QSettings::IniFormat);
    useUtf8WhenValid(settings);
    QString options;
    QString argumentHandling;
    QString minimumVersion;
    QString afterInstall;
    QString discovery;
    for (const QString &prefix : {QString(), platformGroup + QLatin1Char('/')}) {
        readSetting(settings, prefix + QStringLiteral("jre"), jreInstaller);
        readSetting(settings, prefix + QStringLiteral("jar"), jarPath);
        readSetting(settings, prefix + QStringLiteral("options"), options);
        readSetting(settings, prefix + QStringLiteral("arguments"), argumentHandling);
        readSetting(settings, prefix + QStringLiteral("minjava"), minimumVersion);
        readSetting(settings, prefix + QStringLiteral("runtime"), bundledRuntime);
        readSetting(settings, prefix + QStringLiteral("afterinstall"), afterInstall);
        readSetting(settings, prefix + QStringLiteral("discover"), discovery);
    }
    jvmOptions = QProcess::splitCommand(options);
    if (argumentHandling == QLatin1String("forward"))
        applicationArguments = commandLineArguments;
    minimumJavaVersion = positiveNumber(minimumVersion);
    launchAfterInstall = afterInstall == QLatin1String("launch");
    discoverInstalled = discovery == QLatin1String("installed");
}

int Launcher::runProcess(const QString &program, const QStringList &arguments)
{
    Platform::ChildProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    start(process, program, arguments);
    Platform::allowToTakeForeground(process);
    return waitForStatus(process);
}

int Launcher::runCommand(const QString &command)
{
    QStringList arguments = QProcess::splitCommand(command);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    const std::optional<int> installerStatus = Platform::runInstaller(fromWorkingDirectory(program), arguments);
    const int status = installerStatus ? *installerStatus : runProcess(program, arguments);
    restartStarted = status == restartStartedCode;
    return status == restartRequiredCode || status == restartStartedCode ? 0 : status;
}

bool Launcher::findJava()
{
    if (!bundledRuntime.isEmpty() && takeJavaUnder(bundledRuntime))
        return true;
    if (qEnvironmentVariableIsSet("JAVA_HOME") && takeJavaUnder(javaHomeVariable()))
        return true;
    if (takeJavaOnSearchPath())
        return true;
    return discoverInstalled && takeNewestInstalledJava();
}

bool Launcher::findInstalledJava()
{
    Platform::reloadJavaEnvironment();
    return findJava();
}

bool Launcher::takeJavaUnder(const QString &javaHome)
{
    const QString java = underHome(javaHome, Platform::javaUnderHome());
    if (!QFile::exists(java))
        return false;
    if (minimumJavaVersion > 0) {
        const std::optional<QString> version = versionUnder(javaHome, java);
        if (!version || !isNewEnough(java, *version))
            return false;
    }
    javaPath = java;
    return true;
}

std::optional<QString> Launcher::versionUnder(const QString &javaHome, const QString &java)
{
    const QString version = JavaVersion::fromReleaseFile(underHome(javaHome, QStringLiteral("release")));
    if (!version.isEmpty())
        return version;
    const VersionProbe probe = probeVersion(java);
    if (!probe.answered)
        return std::nullopt;
    if (probe.status != 0) {
        Platform::writeOn(Platform::Output::Error, QStringLiteral("launcher: passed over %1, whose \"-version\" failed\n")
                                                       .arg(QDir::toNativeSeparators(java))
                                                       .toLocal8Bit());
        return std::nullopt;
    }
    return probe.version;
}

bool Launcher::takeNewestInstalledJava()
{
    QStringList seen;
    QString newest;
    QString newestVersion;
    for (const QString &javaHome : Platform::installedJavaHomes()) {
        const QString folder = QFileInfo(javaHome).canonicalFilePath();
        const QString java = underHome(javaHome, Platform::javaUnderHome());
        if (folder.isEmpty() || seen.contains(folder, Qt::CaseInsensitive) || !QFileInfo(java).isFile())
            continue;
        seen << folder;
        const std::optional<QString> version = versionUnder(javaHome, java);
        if (!version || (minimumJavaVersion > 0 && !isNewEnough(java, *version)))
            continue;
        if (newest.isEmpty() || JavaVersion::isNewer(*version, newestVersion)) {
            newest = java;
            newestVersion = *version;
        }
    }
    if (newest.isEmpty())
        return false;
    javaPath = newest;
    return true;
}

bool Launcher::takeJavaOnSearchPath()
{
    const QString java = Platform::javaOnSearchPath();
    if (java.isEmpty())
        return false;
    const VersionProbe probe = probeVersion(java);
    if (probe.status != 0 || (minimumJavaVersion > 0 && !isNewEnough(java, probe.version)))
        return false;
    javaPath = java;
    return true;
}

bool Launcher::isNewEnough(const QString &java, const QString &version) const
{
    if (JavaVersion::feature(version) >= minimumJavaVersion)
        return true;
    // For whoever starts the launcher from a console to see why.
    const QString reported = version.isEmpty() ? QStringLiteral("no version") : QStringLiteral("version \"%1\"").arg(version);
    Platform::writeOn(Platform::Output::Error,
                      QStringLiteral("launcher: passed over %1, which reports %2; Java %3 or later is needed\n")
                          .arg(QDir::toNativeSeparators(java), reported, QString::number(minimumJavaVersion))
                          .toLocal8Bit());
    return false;
}

bool Launcher::launchWith(const QString &javaExecutable)
{
    QStringList arguments = jvmOptions + QStringList{QStringLiteral("-jar"), Platform::argumentForJava(jarPath)};
    for (const QString &argument : applicationArguments)
        arguments << Platform::argumentForJava(argument);
    return runProcess(javaExecutable, arguments) != 0;
}

bool Launcher::launch()
{
    return launchWith(javaPath);
}

bool Launcher::installJre()
{
    return runCommand(jreInstaller) != 0;
}
