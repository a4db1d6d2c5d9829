// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "handoff.h"
#include "platform.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>

#include <sddl.h>

#include <vector>

namespace Platform {

namespace {

// How long the holder waits for a request that has begun.
constexpr int requestTimeLimitMs = 1000;

class Handle
{
public:
    explicit Handle(HANDLE handle = nullptr) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return m_handle; }
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE m_handle;
};

// The user the process runs as, as a SID in its string form; empty when unknown.
QString userOf(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return QString();
    const Handle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t *text = nullptr;
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)
        || !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid, &text))
        return QString();
    const QString sid = QString::fromWCharArray(text);
    LocalFree(text);
    return sid;
}

// Reads or writes through an overlapped handle; false when it did not
// complete by the deadline, which cancels it.
bool transfer(HANDLE pipe, bool writing, void *buffer, DWORD size, DWORD *done, const QDeadlineTimer &deadline)
{
    Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED overlapped = {};
    overlapped.hEvent = event.get();
    const BOOL finished = writing ? WriteFile(pipe, buffer, size, done, &overlapped)
                                  : ReadFile(pipe, buffer, size, done, &overlapped);
    if (!finished && GetLastError() != ERROR_IO_PENDING)
        return false;
    if (!finished && WaitForSingleObject(event.get(), DWORD(qMax<qint64>(deadline.remainingTime(), 0))) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &overlapped, done, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &overlapped, done, FALSE) && (writing || *done > 0);
}

bool writeAll(HANDLE pipe, QByteArray bytes, const QDeadlineTimer &deadline)
{
    DWORD done = 0;
    return transfer(pipe, true, bytes.data(), DWORD(bytes.size()), &done, deadline) && done == DWORD(bytes.size());
}

QByteArray readUntil(HANDLE pipe, const std::function<bool(const QByteArray &)> &complete, const QDeadlineTimer &deadline)
{
    return HandOff::receive([pipe, &deadline](char *buffer, qint64 size) -> qint64 {
        DWORD count = 0;
        return transfer(pipe, false, buffer, DWORD(size), &count, deadline) ? qint64(count) : 0;
    }, complete);
}

bool isAnswer(const QByteArray &received)
{
    return received.endsWith('\n');
}

} // namespace

struct HandOffChannel::Private {
    std::wstring name;
    QString user;
    Handle pipe;
    Handle connected; // the event of the pending ConnectNamedPipe
    OVERLAPPED connecting = {};
    bool listening = false;

    // Waits for the next later start, without blocking.
    bool listen()
    {
        connecting = {};
        connecting.hEvent = connected.get();
        ResetEvent(connected.get());
        if (ConnectNamedPipe(pipe.get(), &connecting))
            return false;
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED)
            SetEvent(connected.get());
        return error == ERROR_IO_PENDING || error == ERROR_PIPE_CONNECTED;
    }
};

HandOffChannel::HandOffChannel(const QString &installation)
    : d(std::make_unique<Private>())
{
    d->user = userOf(GetCurrentProcess());
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    // Windows ignores the case of paths. Pipe names are machine-wide: the
    // session and the user are part of it.
    const QByteArray key = QCryptographicHash::hash((d->user + QLatin1Char('|') + installation.toLower()).toUtf8(),
                                                    QCryptographicHash::Sha256).toHex().left(32);
    d->name = QStringLiteral("\\\\.\\pipe\\rarudor-launcher-%1-%2").arg(session).arg(QString::fromLatin1(key)).toStdWString();
}

HandOffChannel::~HandOffChannel()
{
    release();
}

bool HandOffChannel::claim()
{
    if (d->listening)
        return true;
    if (d->user.isEmpty())
        return false;
    // Only this user, and only from this machine; the first instance, so
    // that a pipe of that name made by anyone else makes this fail.
    const std::wstring descriptor = (QStringLiteral("D:P(A;;GA;;;") + d->user + QLatin1Char(')')).toStdWString();
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor.c_str(), SDDL_REVISION_1, &security, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), security, FALSE};
    d->pipe.reset(CreateNamedPipeW(d->name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                   4096, 4096, 0, &attributes));
    LocalFree(security);
    d->connected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    d->listening = d->pipe.get() && d->connected.get() && d->listen();
    if (!d->listening)
        release();
    return d->listening;
}

std::optional<QByteArray> HandOffChannel::send(const QByteArray &request, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    Handle pipe;
    for (;;) {
        // Identification only: the holder may learn who asks, not act as them.
        pipe.reset(CreateFileW(d->name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (pipe.get() || GetLastError() != ERROR_PIPE_BUSY || deadline.hasExpired())
            break;
        WaitNamedPipeW(d->name.c_str(), DWORD(qMax<qint64>(deadline.remainingTime(), 1)));
    }
    // Another user could have made the pipe first: its server must be this user.
    ULONG server = 0;
    if (!pipe.get() || !GetNamedPipeServerProcessId(pipe.get(), &server))
        return std::nullopt;
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, server));
    if (!process.get() || userOf(process.get()) != d->user || !writeAll(pipe.get(), request, deadline))
        return std::nullopt;
    const QByteArray received = readUntil(pipe.get(), isAnswer, deadline);
    return isAnswer(received) ? std::optional<QByteArray>(received) : std::nullopt;
}

void HandOffChannel::serve(const std::function<QByteArray(const QByteArray &)> &answer)
{
    while (d->listening && WaitForSingleObject(d->connected.get(), 0) == WAIT_OBJECT_0) {
        const QDeadlineTimer deadline(requestTimeLimitMs);
        const QByteArray request = readUntil(d->pipe.get(), HandOff::isComplete, deadline);
        const QByteArray reply = HandOff::isComplete(request) ? answer(request) : QByteArray();
        if (!reply.isEmpty() && writeAll(d->pipe.get(), reply, deadline))
            FlushFileBuffers(d->pipe.get());
        DisconnectNamedPipe(d->pipe.get());
        if (!d->listen())
            release();
    }
}

void HandOffChannel::release()
{
    if (d->pipe.get())
        CancelIo(d->pipe.get());
    d->pipe.reset();
    d->connected.reset();
    d->listening = false;
}

void bringToFront(qint64 processId)
{
    // "SetForegroundWindow function (winuser.h)": the process the user
    // started last may take the foreground; this start is that process.
    // Wine does not enforce the rule.
    struct Search {
        DWORD processId;
        HWND window;
    } search = {DWORD(processId), nullptr};
    EnumWindows([](HWND window, LPARAM found) -> BOOL {
        auto *search = reinterpret_cast<Search *>(found);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
            return TRUE;
        search->window = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    if (!search.window)
        return;
    if (IsIconic(search.window))
        ShowWindow(search.window, SW_RESTORE);
    SetForegroundWindow(search.window);
}

} // namespace Platform
