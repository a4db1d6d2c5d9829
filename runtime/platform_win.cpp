#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>
#include <shellapi.h>

namespace Platform {

QString javaUnderHome()
{
    return QStringLiteral("bin/java.exe");
}

unsigned long lastStartError()
{
    return GetLastError();
}

ShellStart shellStartFor(unsigned long startError, const QString &program)
{
    if (startError == errorElevationRequired)
        return ShellStart::Elevated;
    // Only a Windows Installer package: never a document or a folder.
    if (startError == ERROR_BAD_EXE_FORMAT && QFileInfo(program).suffix().compare(QLatin1String("msi"), Qt::CaseInsensitive) == 0)
        return ShellStart::WindowsInstaller;
    return ShellStart::None;
}

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

std::optional<int> runThroughShell(const QString &program, const QStringList &arguments, unsigned long startError)
{
    const ShellStart start = shellStartFor(startError, program);
    if (start == ShellStart::None)
        return std::nullopt;

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

    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD exitCode = 0;
    const bool known = GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    return known ? int(exitCode) : -1;
}

} // namespace Platform
