// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// A DLL to plant where the launcher must not load DLLs from. It exports
// nothing and only notes that it was loaded, in <its own path>.loaded.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(instance, path.data(), MAX_PATH));
    HANDLE note = CreateFileW((path + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (note != INVALID_HANDLE_VALUE)
        CloseHandle(note);
    return TRUE;
}
