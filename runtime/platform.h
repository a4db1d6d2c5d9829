// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_PLATFORM_H
#define RARUDOR_RUNTIME_PLATFORM_H

#include <QString>
#include <QStringList>

#include <optional>

class QProcess;

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

// Sends Qt's own messages through writeOn, so that a standard error that
// nobody reads cannot end the launcher through them either. Call it before
// the application object is made. Does nothing on Windows, where such a
// write only fails.
void keepMessagesHarmless();

// The process's own arguments, the program first, as Qt would give them
// before taking its own options: on Windows from the Unicode command line,
// split by CommandLineToArgvW; elsewhere argv in the locale's encoding.
QStringList commandLineArguments(int argc, char *argv[]);

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

// Makes the process fail to start, as QProcess::FailedToStart, when the
// command line it builds is longer than Windows takes: 32,767 characters
// with its NUL (Wine would run the child with the line cut short).
// Elsewhere the system itself refuses what is too long.
void refuseOverlongCommandLine(QProcess &process);

// Waits, without a time limit, until the started process has ended, and
// lets QProcess take its exit status. On Windows the thread meanwhile
// answers messages sent to its windows, and only those: nothing else of
// Qt runs.
void waitForFinished(QProcess &process);

// On Windows, runs the installer program with its arguments as Launcher runs
// every child (see launcher.h), and returns its status. A bare program name
// means the file in the working directory, else in the system folders or
// PATH, never in the launcher's own folder. An installer that
// CreateProcess refuses because it needs elevation (ERROR_ELEVATION_REQUIRED)
// or because it is an .msi (ERROR_BAD_EXE_FORMAT) runs through the shell
// instead, with the consent prompt or the Windows Installer; there the
// status is -1 when the shell could not start it or the user refused
// consent. Windows' "installed, restart needed" codes (3010 and 1641) count
// as 0 on either path. Standard input is a pipe from the launcher that is
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
