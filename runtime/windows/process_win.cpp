// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "process_win.h"

namespace Process {

// SendMessage returns only once the receiving thread has answered, and
// HWND_BROADCAST, which installers use to announce a new PATH
// (WM_SETTINGCHANGE), sends to every top-level window, hidden ones
// included; messages sent from another thread are answered only while the
// receiver retrieves messages. Microsoft documents both under
// "SendMessage function (winuser.h)". A thread blocked in a plain wait
// would hang the sender, and with it the launcher. PM_QS_SENDMESSAGE
// answers sent messages and leaves posted ones, Qt's events, queued.
bool waitAnsweringSentMessages(HANDLE handle, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    DWORD left = timeoutMs;
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &handle, left, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1)
            return woken == WAIT_OBJECT_0;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (timeoutMs != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            left = now >= deadline ? 0 : DWORD(deadline - now);
        }
    }
}

int waitForExitCode(HANDLE process)
{
    waitAnsweringSentMessages(process);
    DWORD exitCode = 0;
    const bool known = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return known ? int(exitCode) : -1;
}

} // namespace Process
