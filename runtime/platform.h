// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_PLATFORM_H
#define RARUDOR_RUNTIME_PLATFORM_H

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

// What differs between Windows and the other systems when the program
// starts, Java is looked for and children are started. platform.cpp serves
// the others, the units of windows/ Windows.
namespace Platform {

// Makes the process load DLLs from the system folder only, never from its
// own folder or the working directory, where anyone may have put one. Call
// it first in main, before any DLL is loaded. Does nothing elsewhere.
void restrictDllSearch();

// Makes a write to a pipe that nobody reads fail instead of ending the
// launcher, whoever writes: the launcher, Qt or a library. Children still
// start with the disposition the launcher inherited (see ChildProcess).
// Call it first in main. Does nothing on Windows, where such a write only
// fails.
void ignoreBrokenPipes();

// The process's own arguments, the program first, as Qt would give them
// before taking its own options: on Windows from the Unicode command line,
// split by CommandLineToArgvW; elsewhere argv in the locale's encoding.
QStringList commandLineArguments(int argc, char *argv[]);

// The arguments after the first, which is a switch, for the application.
// On Windows the rest of the raw command line is one argument, with one
// pair of enclosing quotes taken off, and none when nothing follows: a
// registration pastes a link or a file name there as it is, and a quote in
// it must not split it into arguments of its choosing. Elsewhere the
// arguments as the system passed them.
QStringList argumentsAfterSwitch(const QStringList &arguments);

// The argument as Java's launcher can read it. Java turns its command line
// into the ANSI code page, and a character that page lacks becomes "?". A
// path of an existing file or folder that the page cannot hold is given by
// its short (8.3) name; when it has none, it is returned as it is, with a
// line on standard error. Anything else is returned as it is, and so is
// every argument elsewhere.
QString argumentForJava(const QString &argument);

// The folder that holds the launcher's own executable; on Windows from the
// module's path, elsewhere from /proc/self/exe. Needs the application object.
QString ownFolder();

// Makes folder the working directory. Returns the system's reason when it
// cannot, else an empty string.
QString enterFolder(const QString &folder);

// Lets the started process take the foreground: Windows allows that only to
// a process that the foreground process started, and the launcher, not the
// browser or Explorer, started the wallet. Does nothing elsewhere.
void allowToTakeForeground(const QProcess &process);

// Takes JAVA_HOME and PATH anew from where installers write them, into the
// launcher's own environment, which every later child inherits. On Windows
// from the machine's and the user's environment in the registry, as Windows
// builds a new process's: the machine's values, then the user's, plain
// strings before expandable ones, each of which sees only what came before
// it; the user's JAVA_HOME replaces the machine's, while the user's PATH
// follows the machine's. A name that neither holds keeps its value.
// Elsewhere the environment stays as it is.
void reloadJavaEnvironment();

// The Java homes that the system lists as installed, in no useful order,
// possibly naming one folder twice or folders that are gone. On Windows
// from the keys the Java vendors' installers write, under both
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER and in both registry views;
// elsewhere the folders of /usr/lib/jvm, where Linux distributions install
// them.
QStringList installedJavaHomes();

// The Java executable below a Java home: "bin/java", or "bin/java.exe" on Windows.
QString javaUnderHome();

// The java that a bare "java" names, taken from the search path alone: on
// Windows the first java.exe in a folder that PATH names by its full path,
// as a full path, or empty when there is none; elsewhere "java", which
// QProcess looks up in PATH only.
QString javaOnSearchPath();

enum class Output { Standard, Error };
// Writes the bytes to the launcher's standard output or error as they are,
// with no line-end translation: as a forwarded child's output reaches them.
// An output that nobody reads drops them; it never ends the launcher.
void writeOn(Output output, const QByteArray &bytes);

// A child process as the launcher starts every one. It fails to start, as
// QProcess::FailedToStart, when the command line it builds is longer than
// Windows takes: 32,767 characters with its NUL (Wine would run the child
// with the line cut short); elsewhere the system itself refuses what is too
// long. On Linux it starts with the SIGPIPE disposition the launcher
// inherited. Made with Tree::Owned, everything it starts belongs to it
// (its own process group on Linux, a job object on Windows), and
// killTree ends all of it.
class ChildProcess : public QProcess
{
public:
    enum class Tree { Shared, Owned };
    explicit ChildProcess(Tree tree = Tree::Shared);
    ~ChildProcess() override;

    // Ends the process, and with Tree::Owned all it started; waits for the process.
    void killTree();

protected:
    void setupChildProcess() override;

private:
    Tree m_tree;
#ifdef Q_OS_WIN
    HANDLE m_job = nullptr;
#endif
};

// Waits until the started process has ended, and lets QProcess take its
// exit status, or until timeoutMs have passed (-1: no limit); true when it
// has ended. QProcess meanwhile writes what is waiting for the child's
// input. On Windows the thread meanwhile answers messages sent to its
// windows, and only those: nothing else of Qt runs.
bool waitForFinished(QProcess &process, int timeoutMs = -1);

// The channel through which a later start of an installation hands its
// arguments to the launcher whose wallet runs, its holder. Only the same
// user reaches it, and on Windows only from the same login session: a
// socket in a folder that only the user can enter (XDG_RUNTIME_DIR, or a
// private folder in the temporary one), or a local named pipe that only the
// user may open, whose server the client checks to be the same user.
class HandOffChannel
{
public:
    // installation is the folder whose launcher.ini was read.
    explicit HandOffChannel(const QString &installation);
    ~HandOffChannel();
    HandOffChannel(const HandOffChannel &) = delete;
    HandOffChannel &operator=(const HandOffChannel &) = delete;

    // Becomes the holder; false when another launcher is, or the channel
    // cannot be made safely.
    bool claim();
    // As a later start: sends the request and returns the holder's answer,
    // one line; nothing when no holder answered within timeoutMs.
    std::optional<QByteArray> send(const QByteArray &request, int timeoutMs);
    // As the holder, without blocking for long: reads the request of each
    // later start waiting now and writes back what answer returns for it;
    // an empty answer, or a request that is not whole within a second, ends
    // that connection without one.
    void serve(const std::function<QByteArray(const QByteArray &request)> &answer);
    // Stops holding: later starts find no holder.
    void release();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Brings the process's top-level window to the front, restored when it is
// minimized: Windows lets a process that the user has just started take
// the foreground, and hand it on. Does nothing elsewhere.
void bringToFront(qint64 processId);

// On Windows, runs the installer program with its arguments as Launcher runs
// every child (see launcher.h), and returns its exit code. A bare program
// name means Windows' own program of that name, from the system folders or
// a folder of PATH below the Windows folder; else the file in the working
// directory, else in PATH; never the launcher's own folder. An installer that
// CreateProcess refuses because it needs elevation (ERROR_ELEVATION_REQUIRED)
// or because it is an .msi (ERROR_BAD_EXE_FORMAT) runs through the shell
// instead, with the consent prompt or the Windows Installer; there the
// status is -1 when the shell could not start it or the user refused
// consent. Standard input is a pipe from the launcher that is
// closed at once. Elsewhere returns nothing: the caller runs the installer
// itself.
std::optional<int> runInstaller(const QString &program, const QStringList &arguments);

#ifdef Q_OS_WIN
// The one call through which runInstaller creates its process. Tests point
// it at a refusing function, to reach refusals that Wine never gives.
extern decltype(&CreateProcessW) createProcess;

// The arguments as one string that CommandLineToArgvW splits back into them.
QString quotedArguments(const QStringList &arguments);
#endif

} // namespace Platform

#endif // RARUDOR_RUNTIME_PLATFORM_H
