// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "process_win.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <shellapi.h>

#include <string>

namespace Platform {

void restrictDllSearch()
{
    // Windows 7 has SetDefaultDllDirectories only with KB2533623; without
    // it, at least the working directory leaves the search.
    const auto setDefaultDllDirectories = reinterpret_cast<BOOL(WINAPI *)(DWORD)>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

void ignoreBrokenPipes()
{
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

bool waitForFinished(QProcess &process, int timeoutMs)
{
    // The handle QProcess holds is not public: open one of our own.
    const HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, DWORD(process.processId()));
    bool ended = true;
    if (handle) {
        ended = Process::waitAnsweringSentMessages(handle, timeoutMs < 0 ? INFINITE : DWORD(timeoutMs));
        CloseHandle(handle);
    }
    // One round of QProcess's own wait writes what waits for the child's input.
    process.waitForFinished(ended ? -1 : 0);
    return process.state() == QProcess::NotRunning;
}

} // namespace Platform
