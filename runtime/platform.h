#ifndef RARUDOR_RUNTIME_PLATFORM_H
#define RARUDOR_RUNTIME_PLATFORM_H

#include <QString>
#include <QStringList>

#include <optional>

// What differs between Windows and the other systems when Java is looked
// for and children are started. platform.cpp serves the others,
// platform_win.cpp Windows.
namespace Platform {

// The Java executable below a Java home: "bin/java", or "bin/java.exe" on Windows.
QString javaUnderHome();

// The system's reason for the last failed start, read right after
// QProcess::start() returned; 0 where the system gives none.
unsigned long lastStartError();

// Windows refuses CreateProcess for an installer that needs elevation
// (ERROR_ELEVATION_REQUIRED) and for an .msi (ERROR_BAD_EXE_FORMAT); the
// shell starts both, with the consent prompt or the Windows Installer.
// For those, runs the program through the shell, blocks until it ends and
// returns its status (-1 when the shell could not start it, or the user
// refused consent). For any other failure returns nothing, and the caller
// keeps its failure.
std::optional<int> runThroughShell(const QString &program, const QStringList &arguments,
                                   unsigned long startError);

#ifdef Q_OS_WIN
// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr unsigned long errorElevationRequired = 740;

enum class ShellStart {
    None,
    Elevated,
    WindowsInstaller,
};

// Which shell start, if any, serves a program that CreateProcess refused.
ShellStart shellStartFor(unsigned long startError, const QString &program);

// The arguments as one string that CommandLineToArgvW splits back into them.
QString quotedArguments(const QStringList &arguments);
#endif

} // namespace Platform

#endif // RARUDOR_RUNTIME_PLATFORM_H
