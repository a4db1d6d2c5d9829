// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "handoff.h"
#include "platform.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace Platform {

namespace {

// How long the holder waits for a request that has begun.
constexpr int requestTimeLimitMs = 1000;

// A folder only this user can enter: the one the session gives, else one
// of the launcher's own in the temporary folder. Empty when neither is so.
QString privateFolder()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/rarudor-launcher-") + QString::number(getuid());
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
    }
    struct stat info = {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()
        || (info.st_mode & 077) != 0)
        return QString();
    return folder;
}

bool waitFor(int descriptor, short events, const QDeadlineTimer &deadline)
{
    pollfd watched = {descriptor, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, int(deadline.remainingTime()));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool writeAll(int descriptor, const QByteArray &bytes, const QDeadlineTimer &deadline)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        if (!waitFor(descriptor, POLLOUT, deadline))
            return false;
        const ssize_t written = ::send(descriptor, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (written < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        done += qMax<ssize_t>(written, 0);
    }
    return true;
}

// Reads until complete says so, the peer closes or the deadline passes.
QByteArray readUntil(int descriptor, const std::function<bool(const QByteArray &)> &complete, const QDeadlineTimer &deadline)
{
    return HandOff::receive([descriptor, &deadline](char *buffer, qint64 size) -> qint64 {
        for (;;) {
            if (!waitFor(descriptor, POLLIN, deadline))
                return 0;
            const ssize_t count = ::recv(descriptor, buffer, size_t(size), 0);
            if (count >= 0 || (errno != EINTR && errno != EAGAIN))
                return count;
        }
    }, complete);
}

bool isAnswer(const QByteArray &received)
{
    return received.endsWith('\n');
}

} // namespace

struct HandOffChannel::Private {
    QByteArray socketPath; // empty without a private folder
    int lock = -1;
    int listener = -1;
};

HandOffChannel::HandOffChannel(const QString &installation)
    : d(std::make_unique<Private>())
{
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return;
    const QByteArray name = QCryptographicHash::hash(installation.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    d->socketPath = QFile::encodeName(folder) + "/rarudor-launcher-" + name;
    if (size_t(d->socketPath.size()) >= sizeof(sockaddr_un::sun_path))
        d->socketPath.clear();
}

HandOffChannel::~HandOffChannel()
{
    release();
}

bool HandOffChannel::claim()
{
    if (d->socketPath.isEmpty() || d->listener >= 0)
        return d->listener >= 0;
    // The lock, not the socket, tells who holds: the system lets go of it
    // when its holder ends, however it ends.
    d->lock = ::open(d->socketPath + ".lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (d->lock < 0 || ::flock(d->lock, LOCK_EX | LOCK_NB) != 0) {
        release();
        return false;
    }
    ::unlink(d->socketPath.constData());
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, d->socketPath.constData(), size_t(d->socketPath.size()));
    d->listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (d->listener < 0 || ::bind(d->listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0
        || ::listen(d->listener, 16) != 0) {
        release();
        return false;
    }
    return true;
}

std::optional<QByteArray> HandOffChannel::send(const QByteArray &request, int timeoutMs)
{
    if (d->socketPath.isEmpty())
        return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, d->socketPath.constData(), size_t(d->socketPath.size()));
    const int connection = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    std::optional<QByteArray> answer;
    if (connection >= 0 && ::connect(connection, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
        && writeAll(connection, request, deadline)) {
        const QByteArray received = readUntil(connection, isAnswer, deadline);
        if (isAnswer(received))
            answer = received;
    }
    if (connection >= 0)
        ::close(connection);
    return answer;
}

void HandOffChannel::serve(const std::function<QByteArray(const QByteArray &)> &answer)
{
    while (d->listener >= 0) {
        const int connection = ::accept4(d->listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0)
            return;
        ucred peer = {};
        socklen_t size = sizeof(peer);
        const QDeadlineTimer deadline(requestTimeLimitMs);
        if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid()) {
            const QByteArray request = readUntil(connection, HandOff::isComplete, deadline);
            const QByteArray reply = HandOff::isComplete(request) ? answer(request) : QByteArray();
            if (!reply.isEmpty())
                writeAll(connection, reply, deadline);
        }
        ::close(connection);
    }
}

void HandOffChannel::release()
{
    if (d->listener >= 0) {
        ::close(d->listener);
        ::unlink(d->socketPath.constData());
        d->listener = -1;
    }
    if (d->lock >= 0) {
        ::close(d->lock);
        d->lock = -1;
    }
}

} // namespace Platform
