// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_PROCESS_WIN_H
#define RARUDOR_RUNTIME_PROCESS_WIN_H

#include <qt_windows.h>

// Starting and waiting for children on Windows, for the platform seam alone.
namespace Process {

// CreateProcessW's documented limit for lpCommandLine, its NUL excluded.
constexpr int longestCommandLine = 32767 - 1;

// Waits until the handle is signalled, or timeoutMs have passed
// (INFINITE: no limit), answering the messages other threads send to this
// one's windows meanwhile; true when it was signalled.
bool waitAnsweringSentMessages(HANDLE handle, DWORD timeoutMs = INFINITE);

// Waits so for the process, closes its handle and returns its exit code;
// -1 when Windows cannot tell it.
int waitForExitCode(HANDLE process);

} // namespace Process

#endif // RARUDOR_RUNTIME_PROCESS_WIN_H
