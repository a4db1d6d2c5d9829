// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include <unistd.h>

namespace Platform {

void restrictDllSearch()
{
}

void keepMessagesHarmless()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        writeOn(Output::Error, (qFormatLogMessage(type, context, message) + QLatin1Char('\n')).toLocal8Bit());
    });
}

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString ownFolder()
{
    // A file removed since it was started reads "… (deleted)": its folder
    // is still the one named.
    const QString executable = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return executable.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(executable).path();
}

QString enterFolder(const QString &folder)
{
    if (::chdir(QFile::encodeName(folder).constData()) == 0)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

void allowToTakeForeground(const QProcess &)
{
}

void reloadJavaEnvironment()
{
}

QStringList installedJavaHomes()
{
    const QDir folder(QStringLiteral("/usr/lib/jvm"));
    QStringList homes;
    for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        homes << folder.filePath(name);
    return homes;
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
    if (bytes.isEmpty())
        return;
    // A pipe that nobody reads raises SIGPIPE, which would end the launcher.
    // Blocked for this thread alone, and any it raised taken back, so the
    // disposition that children inherit stays as the system gave it.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    const int descriptor = output == Output::Standard ? STDOUT_FILENO : STDERR_FILENO;
    const char *next = bytes.constData();
    auto left = size_t(bytes.size());
    bool broken = false;
    while (left > 0) {
        const ssize_t written = ::write(descriptor, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            broken = errno == EPIPE;
            break;
        }
        next += written;
        left -= size_t(written);
    }
    if (broken && !sigismember(&previousMask, SIGPIPE)) {
        const timespec noWait = {0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &noWait) == -1 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
}

void refuseOverlongCommandLine(QProcess &)
{
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
