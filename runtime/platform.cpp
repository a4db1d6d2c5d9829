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

#include <unistd.h>

namespace Platform {

void restrictDllSearch()
{
}

namespace {

// The SIGPIPE disposition the launcher inherited, for its children.
struct sigaction inheritedPipeAction;

} // namespace

void ignoreBrokenPipes()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &inheritedPipeAction);
}

QStringList commandLineArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QStringList argumentsAfterSwitch(const QStringList &arguments)
{
    return arguments.mid(2);
}

QString argumentForJava(const QString &argument)
{
    return argument;
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
    // SIGPIPE is ignored: a pipe that nobody reads fails the write, and the rest is dropped.
    const int descriptor = output == Output::Standard ? STDOUT_FILENO : STDERR_FILENO;
    const char *next = bytes.constData();
    auto left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(descriptor, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        next += written;
        left -= size_t(written);
    }
}

ChildProcess::ChildProcess(Tree tree)
    : m_tree(tree)
{
}

ChildProcess::~ChildProcess() = default;

void ChildProcess::killTree()
{
    if (m_tree == Tree::Owned && processId() > 0)
        ::kill(-pid_t(processId()), SIGKILL);
    kill();
    waitForFinished(-1);
}

// In the child, between fork and exec: only async-signal-safe calls.
void ChildProcess::setupChildProcess()
{
    sigaction(SIGPIPE, &inheritedPipeAction, nullptr);
    if (m_tree == Tree::Owned)
        ::setpgid(0, 0);
}

bool waitForFinished(QProcess &process, int timeoutMs)
{
    return process.waitForFinished(timeoutMs) || process.state() == QProcess::NotRunning;
}

void bringToFront(qint64)
{
}

std::optional<int> runInstaller(const QString &, const QStringList &)
{
    return std::nullopt;
}

} // namespace Platform
