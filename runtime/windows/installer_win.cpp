// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "process_win.h"
#include "programsearch_win.h"

#include <QDir>
#include <QFileInfo>

#include <shellapi.h>

namespace Platform {

decltype(&CreateProcessW) createProcess = CreateProcessW;

namespace {

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD errorElevationRequired = 740;

enum class ShellStart {
    None,
    Elevated,
    WindowsInstaller,
};

ShellStart shellStartFor(DWORD startError, const QString &program)
{
    if (startError == errorElevationRequired)
        return ShellStart::Elevated;
    // Only a Windows Installer package: never a document or a folder.
    if (startError == ERROR_BAD_EXE_FORMAT && QFileInfo(program).suffix().compare(QLatin1String("msi"), Qt::CaseInsensitive) == 0)
        return ShellStart::WindowsInstaller;
    return ShellStart::None;
}

// The installer a bare name means. Windows' own programs, such as msiexec
// or PowerShell, come from the system folders and the folders of PATH
// below the Windows folder, never from a file of that name in the working
// directory, which anyone may have put there. Any other name means
// the file in the working directory, as the manual promises, else one in
// the system folders or PATH. Never the launcher's own folder, which
// CreateProcess would search first. A name with a folder is left as it is.
QString installerProgram(const QString &program)
{
    if (program.isEmpty() || program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'))
        || program.contains(QLatin1Char(':')))
        return program;
    // As CreateProcess does, .exe is added to a name without an extension.
    const QString name = QFileInfo(program).suffix().isEmpty() ? program + QStringLiteral(".exe") : program;
    QStringList windowsFolders = ProgramSearch::systemFolders();
    for (const QString &folder : ProgramSearch::folders()) {
        if (ProgramSearch::isBelow(folder, ProgramSearch::windowsFolder()))
            windowsFolders << folder;
    }
    const QString workingDirectory = QDir::currentPath();
    QString found = ProgramSearch::firstFileIn(windowsFolders, name);
    if (found.isEmpty())
        found = ProgramSearch::firstFileIn(QStringList{workingDirectory} + ProgramSearch::folders(), name);
    // Not found: a name that fails to start, rather than one CreateProcess searches for.
    return found.isEmpty() ? QDir(workingDirectory).filePath(name) : found;
}

int runThroughShell(ShellStart start, const QString &program, const QStringList &arguments)
{
    const QString file = QDir::toNativeSeparators(program);
    const QString parameters = quotedArguments(arguments);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // The class pins what the file is taken for, whatever its name says.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_CLASSNAME;
    info.lpClass = start == ShellStart::Elevated ? L"exefile" : L"Msi.Package";
    info.lpVerb = start == ShellStart::Elevated ? L"runas" : L"open";
    info.lpFile = reinterpret_cast<LPCWSTR>(file.utf16());
    info.lpParameters = parameters.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(parameters.utf16());
    info.nShow = SW_SHOWNORMAL;
    // A refused consent prompt ends here too, with ERROR_CANCELLED.
    if (!ShellExecuteExW(&info) || !info.hProcess)
        return -1;

    return Process::waitForExitCode(info.hProcess);
}

} // namespace

QString quotedArguments(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &argument : arguments) {
        const bool plain = !argument.isEmpty() && !argument.contains(QLatin1Char(' '))
            && !argument.contains(QLatin1Char('\t')) && !argument.contains(QLatin1Char('"'));
        if (plain) {
            quoted << argument;
            continue;
        }
        // Backslashes are literal except before a quote, where they are halved.
        QString text = QStringLiteral("\"");
        int backslashes = 0;
        for (const QChar c : argument) {
            if (c == QLatin1Char('\\')) {
                ++backslashes;
                continue;
            }
            if (c == QLatin1Char('"'))
                backslashes = backslashes * 2 + 1;
            text += QString(backslashes, QLatin1Char('\\')) + c;
            backslashes = 0;
        }
        text += QString(backslashes * 2, QLatin1Char('\\')) + QLatin1Char('"');
        quoted << text;
    }
    return quoted.join(QLatin1Char(' '));
}

std::optional<int> runInstaller(const QString &command, const QStringList &arguments)
{
    const QString program = installerProgram(command);
    // The program always in quotes: unquoted, CreateProcess would try
    // "C:\Program" for "C:\Program Files\...". The handles as QProcess gives
    // every other child: the launcher's own outputs, directory and environment.
    QString commandLine = QLatin1Char('"') + QDir::toNativeSeparators(program) + QLatin1Char('"');
    if (!arguments.isEmpty())
        commandLine += QLatin1Char(' ') + quotedArguments(arguments);
    if (commandLine.size() > Process::longestCommandLine)
        return -1;
    // Standard input is a pipe from the launcher, closed at once: an
    // installer that reads it sees its end instead of waiting unseen.
    SECURITY_ATTRIBUTES inheritable = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE input = nullptr;
    HANDLE inputWriter = nullptr;
    if (!CreatePipe(&input, &inputWriter, &inheritable, 0))
        return -1;
    SetHandleInformation(inputWriter, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (GetConsoleWindow() ? 0 : CREATE_NO_WINDOW);
    PROCESS_INFORMATION process = {};
    const bool started = createProcess(nullptr, reinterpret_cast<LPWSTR>(commandLine.data()), nullptr, nullptr,
                                       TRUE, flags, nullptr, nullptr, &startup, &process);
    // Read at once: any later call may overwrite it.
    const DWORD startError = started ? ERROR_SUCCESS : GetLastError();
    CloseHandle(input);
    CloseHandle(inputWriter);
    if (started) {
        CloseHandle(process.hThread);
        return Process::waitForExitCode(process.hProcess);
    }
    const ShellStart start = shellStartFor(startError, program);
    if (start == ShellStart::None)
        return -1;
    return runThroughShell(start, program, arguments);
}

} // namespace Platform
