// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "system.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <filesystem>
#include <fstream>
#include <regex>

#include <windows.h>
#include <shellapi.h>

namespace {

std::string utf8(const wchar_t *text, int length = -1)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
    if (length < 0 && !bytes.empty())
        bytes.pop_back(); // the terminating NUL
    return bytes;
}

std::wstring wide(const std::string &text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), size);
    return result;
}

struct WindowSearch {
    std::regex pattern;
    std::ofstream out;
};

BOOL CALLBACK noteWindow(HWND window, LPARAM search)
{
    auto *found = reinterpret_cast<WindowSearch *>(search);
    wchar_t title[512];
    const int length = GetWindowTextW(window, title, 512);
    if (IsWindowVisible(window) && length > 0) {
        const std::string text = utf8(title, length);
        if (std::regex_search(text, found->pattern))
            found->out << text << '\n';
    }
    return TRUE;
}

} // namespace

namespace System {

std::string ownPath()
{
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    return utf8(path, int(length));
}

std::string workingDirectory()
{
    wchar_t path[32768];
    const DWORD length = GetCurrentDirectoryW(32768, path);
    return utf8(path, int(length));
}

std::vector<std::string> arguments(int, char *[])
{
    int count = 0;
    wchar_t **split = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(utf8(split[i]));
    LocalFree(split);
    return result;
}

void crash()
{
    // End at once, without the crash dialog (or Wine's debugger) waiting for a user.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // cppcheck-suppress nullPointer
    *static_cast<volatile int *>(nullptr) = 0;
    ExitProcess(1);
}

void closeOutputs()
{
    std::fflush(nullptr);
    CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
    CloseHandle(GetStdHandle(STD_ERROR_HANDLE));
}

void makeOutputsBinary()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void sleepMs(int milliseconds)
{
    Sleep(DWORD(milliseconds));
}

void startGrandchild(const std::string &instructions)
{
    std::wstring commandLine = L"\"" + wide(ownPath()) + L"\" --instructions \"" + wide(instructions) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void broadcastSettingChange()
{
    SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
}

void showMinimizedWindow(int milliseconds, const std::string &file)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RarudorStandInWallet";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(windowClass.lpszClassName, L"Stand-in wallet", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWMINIMIZED);
    const ULONGLONG end = GetTickCount64() + ULONGLONG(milliseconds);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    std::ofstream(std::filesystem::path(wide(file))) << (IsIconic(window) ? "minimized" : "restored");
    DestroyWindow(window);
}

void listVisibleWindows(const std::string &titlePattern, const std::string &file)
{
    WindowSearch search{std::regex(titlePattern), std::ofstream(std::filesystem::path(wide(file)))};
    EnumWindows(noteWindow, reinterpret_cast<LPARAM>(&search));
}

} // namespace System
