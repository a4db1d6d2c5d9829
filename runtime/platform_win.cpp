// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "registry_win.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace Platform {

decltype(&CreateProcessW) createProcess = CreateProcessW;

namespace {

// CreateProcessW's documented limit for lpCommandLine, its NUL included.
constexpr int longestCommandLine = 32767 - 1;

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

// "C:\x" or "\\server\x": a folder that names itself, not one that depends
// on the current drive or directory.
bool isFullPath(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    return (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('/'))
        || path.startsWith(QLatin1String("//"));
}

// SendMessage returns only once the receiving thread has answered, and
// HWND_BROADCAST, which installers use to announce a new PATH
// (WM_SETTINGCHANGE), sends to every top-level window, hidden ones
// included; messages sent from another thread are answered only while the
// receiver retrieves messages. Microsoft documents both under
// "SendMessage function (winuser.h)". A thread blocked in a plain wait
// would hang the sender, and with it the launcher. PM_QS_SENDMESSAGE
// answers sent messages and leaves posted ones, Qt's events, queued.
void waitAnsweringSentMessages(HANDLE handle)
{
    while (MsgWaitForMultipleObjectsEx(1, &handle, INFINITE, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The folders of PATH that name themselves by their full path, in order.
QStringList searchPathFolders()
{
    QStringList folders;
    for (QString folder : qEnvironmentVariable("PATH").split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        folder.remove(QLatin1Char('"'));
        if (isFullPath(folder))
            folders << folder;
    }
    return folders;
}

// The full path of the first file of that name in those folders, in native
// separators; empty when there is none.
QString firstFileIn(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(QDir::fromNativeSeparators(folder)), name);
        if (file.isFile())
            return QDir::toNativeSeparators(file.filePath());
    }
    return QString();
}

QString systemFolder(UINT (WINAPI *folderOf)(LPWSTR, UINT))
{
    wchar_t folder[MAX_PATH];
    const UINT length = folderOf(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? QString::fromWCharArray(folder, int(length)) : QString();
}

// The installer a bare name means. Windows' own programs, such as msiexec,
// come from the system folders, never from a file of that name in the
// working directory, which anyone may have put there. Any other name means
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
    const QStringList systemFolders{systemFolder(GetSystemDirectoryW), systemFolder(GetWindowsDirectoryW)};
    const QString workingDirectory = QDir::currentPath();
    QString found = firstFileIn(systemFolders, name);
    if (found.isEmpty())
        found = firstFileIn(QStringList{workingDirectory} + searchPathFolders(), name);
    // Not found: a name that fails to start, rather than one CreateProcess searches for.
    return found.isEmpty() ? QDir(workingDirectory).filePath(name) : found;
}

int waitForExitCode(HANDLE process)
{
    waitAnsweringSentMessages(process);
    DWORD exitCode = 0;
    const bool known = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return known ? int(exitCode) : -1;
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

    return waitForExitCode(info.hProcess);
}

// Environment variable names, whose case Windows ignores, as keys.
using Environment = QHash<QString, QString>;

// As ExpandEnvironmentStrings expands: %NAME% of a variable that is not
// set stays as it is, and its closing % may open the next name.
QString expanded(const QString &text, const Environment &environment)
{
    QString result;
    int next = 0;
    while (next < text.size()) {
        const int open = text.indexOf(QLatin1Char('%'), next);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            result += text.midRef(next);
            break;
        }
        result += text.midRef(next, open - next);
        const auto value = environment.constFind(text.mid(open + 1, close - open - 1).toUpper());
        if (value != environment.cend()) {
            result += *value;
            next = close + 1;
        } else {
            result += text.midRef(open, close - open);
            next = close;
        }
    }
    return result;
}

void setVariable(const QString &name, const QString &value)
{
    // Through the C runtime, which Qt reads, and on to Windows' own copy,
    // which children inherit. An empty value removes the variable.
    const QString assignment = name + QLatin1Char('=') + value;
    _wputenv(reinterpret_cast<const wchar_t *>(assignment.utf16()));
}

// Windows' own "succeeded, restart required" codes, which Windows Installer
// and the bootstrappers around it pass on however they are started.
int installerStatus(int exitCode)
{
    if (exitCode == ERROR_SUCCESS_REBOOT_REQUIRED || exitCode == ERROR_SUCCESS_REBOOT_INITIATED)
        return 0;
    return exitCode;
}

} // namespace

void restrictDllSearch()
{
    // Windows 7 has SetDefaultDllDirectories only with KB2533623; without
    // it, at least the working directory leaves the search.
    const auto setDefaultDllDirectories = reinterpret_cast<BOOL(WINAPI *)(DWORD)>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

void keepMessagesHarmless()
{
}

QStringList commandLineArguments(int, char *[])
{
    QStringList arguments;
    int count = 0;
    if (wchar_t **split = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(split[i]);
        LocalFree(split);
    }
    return arguments;
}

QString ownFolder()
{
    // Long enough for any path the launcher's long-path-aware manifest allows.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size() && path.size() < 32768)
        path.resize(path.size() * 2);
    const QString executable = QString::fromWCharArray(path.data(), int(length));
    return QFileInfo(QDir::fromNativeSeparators(executable)).path();
}

QString enterFolder(const QString &folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    if (SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(native.utf16())))
        return QString();
    const DWORD error = GetLastError();
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const QString reason = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                      : QStringLiteral("error %1").arg(error);
    LocalFree(text);
    return reason;
}

void allowToTakeForeground(const QProcess &process)
{
    // "SetForegroundWindow function (winuser.h)": a process may take the
    // foreground if the foreground process started it, or if that process
    // called AllowSetForegroundWindow for it; the launcher has been given
    // the right by whoever started it, and passes it on. Wine does not
    // enforce these rules, so only the import table shows the call.
    if (process.processId() > 0)
        AllowSetForegroundWindow(DWORD(process.processId()));
}

void reloadJavaEnvironment()
{
    const QString javaHome = QStringLiteral("JAVA_HOME");
    const QString path = QStringLiteral("PATH");
    Environment environment;
    const QProcessEnvironment current = QProcessEnvironment::systemEnvironment();
    for (const QString &name : current.keys())
        environment.insert(name.toUpper(), current.value(name));
    QStringList taken;
    QString machinePath;
    const QList<QPair<HKEY, QString>> keys{
        {HKEY_LOCAL_MACHINE, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment")},
        {HKEY_CURRENT_USER, QStringLiteral("Environment")}};
    for (const auto &[root, key] : keys) {
        const QList<Registry::Value> values = Registry::stringValues(root, key);
        for (const bool expandable : {false, true}) {
            for (const Registry::Value &value : values) {
                if (value.expandable != expandable)
                    continue;
                const QString name = value.name.toUpper();
                QString text = expandable ? expanded(value.text, environment) : value.text;
                if (name == path && root == HKEY_CURRENT_USER && !machinePath.isEmpty())
                    text = machinePath + QLatin1Char(';') + text;
                if (text.size() > Registry::longestValue)
                    continue;
                if (name == path && root == HKEY_LOCAL_MACHINE)
                    machinePath = text;
                environment.insert(name, text);
                taken << name;
            }
        }
    }
    for (const QString &name : {javaHome, path}) {
        if (taken.contains(name))
            setVariable(name, environment.value(name));
    }
}

QStringList installedJavaHomes()
{
    // Below each key, one subkey a version or product; below that, at
    // path, the value that names its Java home.
    struct VendorKey {
        const char *key;
        const char *path;
        const char *value;
    };
    static const VendorKey vendorKeys[] = {
        // Oracle's JDK and JRE since 9, and Amazon Corretto, which writes
        // Oracle's keys; then up to 8. Oracle's Java SE 9 guide,
        // "Installation of the JDK and the JRE on Microsoft Windows
        // Platforms"; Eclipse Temurin's installer writes them too.
        {"SOFTWARE\\JavaSoft\\JDK", "", "JavaHome"},
        {"SOFTWARE\\JavaSoft\\JRE", "", "JavaHome"},
        {"SOFTWARE\\JavaSoft\\Java Development Kit", "", "JavaHome"},
        {"SOFTWARE\\JavaSoft\\Java Runtime Environment", "", "JavaHome"},
        // Eclipse Temurin's installer, as its source writes them (adoptium
        // installer, wix/Main.wxs.template: SOFTWARE\<maker>\<JDK or
        // JRE>\<version>\<JVM>\MSI, value Path); the same installer made
        // AdoptOpenJDK's and Eclipse Foundation's, and makes Microsoft's
        // Build of OpenJDK.
        {"SOFTWARE\\Eclipse Adoptium\\JDK", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\Eclipse Adoptium\\JRE", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\AdoptOpenJDK\\JDK", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\AdoptOpenJDK\\JRE", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\Eclipse Foundation\\JDK", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\Eclipse Foundation\\JRE", "\\hotspot\\MSI", "Path"},
        {"SOFTWARE\\Microsoft\\JDK", "\\hotspot\\MSI", "Path"},
        // Azul and BellSoft publish no installer source or registry
        // documentation: these are the keys their installers are seen to write.
        {"SOFTWARE\\Azul Systems\\Zulu", "", "InstallationPath"},
        {"SOFTWARE\\BellSoft\\Liberica", "", "InstallationPath"},
    };
    QStringList homes;
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const REGSAM view : {REGSAM(KEY_WOW64_64KEY), REGSAM(KEY_WOW64_32KEY)}) {
            for (const VendorKey &vendor : vendorKeys) {
                const QString key = QString::fromLatin1(vendor.key);
                for (const QString &subkey : Registry::subkeys(root, key, view)) {
                    const QString home = Registry::stringValue(
                        root, key + QLatin1Char('\\') + subkey + QLatin1String(vendor.path), QLatin1String(vendor.value), view);
                    if (!home.isEmpty())
                        homes << QDir::fromNativeSeparators(home);
                }
            }
        }
    }
    return homes;
}

QString javaUnderHome()
{
    return QStringLiteral("bin/java.exe");
}

QString javaOnSearchPath()
{
    // CreateProcess would look in the launcher's folder and the working
    // directory before PATH: name the file, so that it looks nowhere.
    return firstFileIn(searchPathFolders(), QStringLiteral("java.exe"));
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

std::optional<int> runInstaller(const QString &command, const QStringList &arguments)
{
    const QString program = installerProgram(command);
    // The program always in quotes: unquoted, CreateProcess would try
    // "C:\Program" for "C:\Program Files\...". The handles as QProcess gives
    // every other child: the launcher's own outputs, directory and environment.
    QString commandLine = QLatin1Char('"') + QDir::toNativeSeparators(program) + QLatin1Char('"');
    if (!arguments.isEmpty())
        commandLine += QLatin1Char(' ') + quotedArguments(arguments);
    if (commandLine.size() > longestCommandLine)
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
        return installerStatus(waitForExitCode(process.hProcess));
    }
    const ShellStart start = shellStartFor(startError, program);
    if (start == ShellStart::None)
        return -1;
    return installerStatus(runThroughShell(start, program, arguments));
}

void writeOn(Output output, const QByteArray &bytes)
{
    // The handle itself: the C runtime would turn each LF into CR LF.
    const HANDLE handle = GetStdHandle(output == Output::Standard ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    const char *next = bytes.constData();
    qint64 left = bytes.size();
    DWORD written = 0;
    while (left > 0 && handle && handle != INVALID_HANDLE_VALUE
           && WriteFile(handle, next, DWORD(qMin<qint64>(left, 1 << 20)), &written, nullptr) && written > 0) {
        next += written;
        left -= written;
    }
}

void refuseOverlongCommandLine(QProcess &process)
{
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        // An application name that names no file: CreateProcess fails
        // before it would look at the command line.
        if (int(wcslen(arguments->arguments)) > longestCommandLine)
            arguments->applicationName = L"";
    });
}

void waitForFinished(QProcess &process)
{
    // The handle QProcess holds is not public: open one of our own.
    const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, DWORD(process.processId()));
    if (handle) {
        waitAnsweringSentMessages(handle);
        CloseHandle(handle);
    }
    process.waitForFinished(-1);
}

} // namespace Platform
