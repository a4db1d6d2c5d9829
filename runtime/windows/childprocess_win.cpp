// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "process_win.h"

#include <cwchar>

namespace Platform {

ChildProcess::ChildProcess(Tree tree)
    : m_tree(tree)
{
    setCreateProcessArgumentsModifier([this](QProcess::CreateProcessArguments *arguments) {
        // An application name that names no file: CreateProcess fails
        // before it would look at the command line.
        if (int(wcslen(arguments->arguments)) > Process::longestCommandLine)
            arguments->applicationName = L"";
        // Held until it is in its job, so that nothing it starts escapes.
        if (m_tree == Tree::Owned)
            arguments->flags |= CREATE_SUSPENDED;
    });
    if (m_tree == Tree::Owned) {
        QObject::connect(this, &QProcess::started, [this] {
            // QProcess gives the thread's handle only through pid().
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            const PROCESS_INFORMATION *started = pid();
            QT_WARNING_POP
            // Windows 7 puts no process in a second job: it then runs without one.
            m_job = CreateJobObjectW(nullptr, nullptr);
            if (m_job && !AssignProcessToJobObject(m_job, started->hProcess)) {
                CloseHandle(m_job);
                m_job = nullptr;
            }
            ResumeThread(started->hThread);
        });
    }
}

ChildProcess::~ChildProcess()
{
    if (m_job)
        CloseHandle(m_job);
}

void ChildProcess::killTree()
{
    if (m_job)
        TerminateJobObject(m_job, 1);
    kill();
    waitForFinished(-1);
}

void ChildProcess::setupChildProcess()
{
}

} // namespace Platform
