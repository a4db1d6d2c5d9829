// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"

#include "handoff.h"
#include "javaversion.h"
#include "platform.h"
#include "utf8.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QThread>
#include <QVariant>

namespace {

const QString settingsFileName = QStringLiteral("launcher.ini");
const QString platformGroup = QStringLiteral("win32");

// Qt reads an INI file as Latin-1 unless it starts with a UTF-8 byte-order
// mark; editors today save UTF-8 without one, so take valid UTF-8 as such.
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

void start(QProcess &process, const QString &program, const QStringList &arguments, bool keepInput = false)
{
    process.start(fromWorkingDirectory(program), arguments, QIODevice::ReadWrite);
    // Unless later starts hand over through it, nothing is ever written to
    // it: a child that reads it sees its end at once instead of waiting for
    // ever, unseen.
    if (!keepInput)
        process.closeWriteChannel();
}

int waitForStatus(QProcess &process)
{
    Platform::waitForFinished(process);
    return statusOf(process);
}

// How long a later start tries to hand over before it runs a wallet of its own.
constexpr int handOffTimeLimitMs = 5000;
// How often the holder looks for later starts while its wallet runs.
constexpr int serveIntervalMs = 50;
// What may wait for a wallet that does not read its input; more is refused.
constexpr qint64 keptInputBytes = qint64(1024) * 1024;

// How a child ended, for the log.
QString outcomeOf(const QProcess &process)
{
    if (process.error() == QProcess::FailedToStart)
        return QStringLiteral("could not start: ") + process.errorString();
    if (process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("crashed");
    return QStringLiteral("ended with status %1").arg(process.exitCode());
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void report(const LaunchLog &log, const QString &line)
{
    Platform::writeOn(Platform::Output::Error, (QStringLiteral("launcher: ") + line + QLatin1Char('\n')).toLocal8Bit());
    log.write(line);
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
VersionProbe probeVersion(const QString &java, const LaunchLog &log)
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
        report(log, QStringLiteral("passed over %1, which did not answer \"-version\" within %2 seconds")
                        .arg(native(java), QString::number(probeTimeLimitMs / 1000)));
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
    QString logSetting;
    QString instance;
    for (const QString &prefix : {QString(), platformGroup + QLatin1Char('/')}) {
        readSetting(settings, prefix + QStringLiteral("jre"), jreInstaller);
        readSetting(settings, prefix + QStringLiteral("jar"), jarPath);
        readSetting(settings, prefix + QStringLiteral("options"), options);
        readSetting(settings, prefix + QStringLiteral("arguments"), argumentHandling);
        readSetting(settings, prefix + QStringLiteral("minjava"), minimumVersion);
        readSetting(settings, prefix + QStringLiteral("runtime"), bundledRuntime);
        readSetting(settings, prefix + QStringLiteral("afterinstall"), afterInstall);
        readSetting(settings, prefix + QStringLiteral("discover"), discovery);
        readSetting(settings, prefix + QStringLiteral("log"), logSetting);
        readSetting(settings, prefix + QStringLiteral("instance"), instance);
    }
    singleInstance = instance == QLatin1String("single");
    log.open(logSetting);
    log.write(QStringLiteral("launcher %1 in %2").arg(QStringLiteral(LAUNCHER_VERSION), QDir::toNativeSeparators(QDir::currentPath())));
    jvmOptions = QProcess::splitCommand(options);
    if (argumentHandling == QLatin1String("forward"))
        applicationArguments = commandLineArguments;
    minimumJavaVersion = positiveNumber(minimumVersion);
    launchAfterInstall = afterInstall == QLatin1String("launch");
    discoverInstalled = discovery == QLatin1String("installed");
}

Launcher::~Launcher() = default;

std::optional<int> Launcher::handOffToRunningWallet()
{
    if (!singleInstance)
        return std::nullopt;
    auto channel = std::make_unique<Platform::HandOffChannel>(QDir::current().canonicalPath());
    QStringList arguments;
    for (const QString &argument : applicationArguments) {
        if (HandOff::fitsALine(argument))
            arguments << argument;
    }
    const QByteArray request = HandOff::request(arguments);
    bool reported = false;
    const QDeadlineTimer deadline(handOffTimeLimitMs);
    while (!channel->claim()) {
        if (!reported && arguments.size() < applicationArguments.size())
            report(QStringLiteral("left out of the hand-off %1 argument(s) that are empty or hold a line break")
                       .arg(applicationArguments.size() - arguments.size()));
        reported = true;
        if (const std::optional<QByteArray> answer = channel->send(request, int(deadline.remainingTime()))) {
            if (const std::optional<qint64> wallet = HandOff::takenBy(*answer)) {
                log.write(QStringLiteral("handed %1 argument(s) to the running wallet").arg(arguments.size()));
                Platform::bringToFront(*wallet);
                return 0;
            }
            report(QStringLiteral("the running wallet has not read what it was handed before; this start's arguments are dropped"));
            return 1;
        }
        if (deadline.hasExpired()) {
            log.write(QStringLiteral("no running wallet took the arguments: this start runs one of its own"));
            return std::nullopt;
        }
        // Its holder is starting or ending: look again.
        QThread::msleep(serveIntervalMs);
    }
    m_channel = std::move(channel);
    return std::nullopt;
}

int Launcher::waitForWallet(QProcess &wallet)
{
    if (!m_channel)
        return waitForStatus(wallet);
    while (!Platform::waitForFinished(wallet, serveIntervalMs)) {
        m_channel->serve([this, &wallet](const QByteArray &request) {
            const std::optional<QStringList> arguments = HandOff::arguments(request);
            if (!arguments)
                return QByteArray();
            // Whole requests only: the wallet never reads half a line.
            const QByteArray input = HandOff::walletInput(*arguments);
            if (wallet.bytesToWrite() + input.size() > keptInputBytes) {
                log.write(QStringLiteral("refused a later start: the wallet has not read its input"));
                return HandOff::refused();
            }
            wallet.write(input);
            log.write(QStringLiteral("handed %1 argument(s) of a later start to the wallet").arg(arguments->size()));
            return HandOff::taken(wallet.processId());
        });
    }
    // From now on later starts find no holder, and run a wallet of their own.
    m_channel->release();
    return statusOf(wallet);
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
    log.write(QStringLiteral("runs the installer: ") + command);
    const std::optional<int> installerStatus = Platform::runInstaller(fromWorkingDirectory(program), arguments);
    const int status = installerStatus ? *installerStatus : runProcess(program, arguments);
    log.write(QStringLiteral("the installer ended with status %1").arg(status));
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
    if (discoverInstalled && takeNewestInstalledJava())
        return true;
    log.write(QStringLiteral("no Java found"));
    return false;
}

bool Launcher::findInstalledJava()
{
    Platform::reloadJavaEnvironment();
    return findJava();
}

bool Launcher::takeJavaUnder(const QString &javaHome)
{
    const QString java = underHome(javaHome, Platform::javaUnderHome());
    if (!QFile::exists(java)) {
        log.write(QStringLiteral("no Java at %1").arg(native(java)));
        return false;
    }
    if (minimumJavaVersion > 0) {
        const std::optional<QString> version = versionUnder(javaHome, java);
        if (!version || !isNewEnough(java, *version))
            return false;
    }
    log.write(QStringLiteral("takes %1").arg(native(java)));
    javaPath = java;
    return true;
}

std::optional<QString> Launcher::versionUnder(const QString &javaHome, const QString &java) const
{
    const QString version = JavaVersion::fromReleaseFile(underHome(javaHome, QStringLiteral("release")));
    if (!version.isEmpty())
        return version;
    const VersionProbe probe = probeVersion(java, log);
    if (!probe.answered)
        return std::nullopt;
    if (probe.status != 0) {
        report(QStringLiteral("passed over %1, whose \"-version\" failed").arg(native(java)));
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
        log.write(QStringLiteral("installed: %1, version \"%2\"").arg(native(java), *version));
        if (newest.isEmpty() || JavaVersion::isNewer(*version, newestVersion)) {
            newest = java;
            newestVersion = *version;
        }
    }
    if (newest.isEmpty())
        return false;
    log.write(QStringLiteral("takes %1, the newest installed").arg(native(newest)));
    javaPath = newest;
    return true;
}

bool Launcher::takeJavaOnSearchPath()
{
    const QString java = Platform::javaOnSearchPath();
    if (java.isEmpty()) {
        log.write(QStringLiteral("no java on the search path"));
        return false;
    }
    const VersionProbe probe = probeVersion(java, log);
    if (probe.answered && probe.status != 0)
        log.write(QStringLiteral("passed over %1 of the search path, whose \"-version\" ended with status %2")
                      .arg(native(java))
                      .arg(probe.status));
    if (probe.status != 0 || (minimumJavaVersion > 0 && !isNewEnough(java, probe.version)))
        return false;
    log.write(QStringLiteral("takes %1 of the search path").arg(native(java)));
    javaPath = java;
    return true;
}

void Launcher::report(const QString &line) const
{
    ::report(log, line);
}

bool Launcher::isNewEnough(const QString &java, const QString &version) const
{
    if (JavaVersion::feature(version) >= minimumJavaVersion)
        return true;
    // For whoever starts the launcher from a console to see why.
    const QString reported = version.isEmpty() ? QStringLiteral("no version") : QStringLiteral("version \"%1\"").arg(version);
    report(QStringLiteral("passed over %1, which reports %2; Java %3 or later is needed")
               .arg(native(java), reported, QString::number(minimumJavaVersion)));
    return false;
}

bool Launcher::launchWith(const QString &javaExecutable)
{
    QStringList arguments = jvmOptions + QStringList{QStringLiteral("-jar"), Platform::argumentForJava(jarPath)};
    // A payment link is private: the log counts the wallet's own arguments.
    log.write(QStringLiteral("runs %1 with %2, and %3 argument(s) of the wallet")
                  .arg(native(javaExecutable), arguments.join(QLatin1Char(' ')))
                  .arg(applicationArguments.size()));
    for (const QString &argument : applicationArguments)
        arguments << Platform::argumentForJava(argument);
    Platform::ChildProcess process;
    // The log itself, appended to by the wallet: its exceptions are kept
    // even if the launcher is killed.
    if (log.isOpen())
        process.setStandardErrorFile(log.filePath(), QIODevice::Append);
    process.setProcessChannelMode(log.isOpen() ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
    const qint64 logEnd = log.end();
    start(process, javaExecutable, arguments, m_channel != nullptr);
    Platform::allowToTakeForeground(process);
    const int status = waitForWallet(process);
    if (log.isOpen())
        walletErrors = log.appendedSince(logEnd);
    log.write(QStringLiteral("the wallet ") + outcomeOf(process));
    return status != 0;
}

bool Launcher::launch()
{
    return launchWith(javaPath);
}

bool Launcher::installJre()
{
    return runCommand(jreInstaller) != 0;
}
