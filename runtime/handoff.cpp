// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "handoff.h"

#include "utf8.h"

namespace HandOff {

namespace {

const QByteArray header = QByteArrayLiteral("rarudor-launcher hand-off 1\n");
const QByteArray takenPrefix = QByteArrayLiteral("taken ");

} // namespace

bool fitsALine(const QString &argument)
{
    return !argument.isEmpty() && !argument.contains(QLatin1Char('\n')) && !argument.contains(QLatin1Char('\r'));
}

QByteArray request(const QStringList &arguments)
{
    return header + walletInput(arguments);
}

std::optional<QStringList> arguments(const QByteArray &request)
{
    if (request.size() > largestRequest || !request.startsWith(header))
        return std::nullopt;
    const QByteArray body = request.mid(header.size());
    if (body == "\n")
        return QStringList();
    // Lines, each ended by LF, then the empty line.
    if (!body.endsWith("\n\n"))
        return std::nullopt;
    const QByteArray lines = body.left(body.size() - 2);
    if (lines.isEmpty() || lines.startsWith('\n') || lines.contains("\n\n") || lines.contains('\r') || !isValidUtf8(lines))
        return std::nullopt;
    QStringList result;
    for (const QByteArray &line : lines.split('\n'))
        result << QString::fromUtf8(line);
    return result;
}

bool isComplete(const QByteArray &received)
{
    if (received.size() > largestRequest)
        return true;
    if (!received.startsWith(header))
        return !header.startsWith(received);
    const QByteArray body = received.mid(header.size());
    return body == "\n" || body.endsWith("\n\n");
}

QByteArray receive(const std::function<qint64(char *, qint64)> &read, const std::function<bool(const QByteArray &)> &complete)
{
    QByteArray received;
    char buffer[16384];
    while (!complete(received)) {
        const qint64 count = read(buffer, sizeof(buffer));
        if (count <= 0)
            break;
        received.append(buffer, int(count));
    }
    return received;
}

QByteArray walletInput(const QStringList &arguments)
{
    QByteArray lines;
    for (const QString &argument : arguments)
        lines += argument.toUtf8() + '\n';
    return lines + '\n';
}

QByteArray taken(qint64 walletProcessId)
{
    return takenPrefix + QByteArray::number(walletProcessId) + '\n';
}

QByteArray refused()
{
    return QByteArrayLiteral("refused\n");
}

std::optional<qint64> takenBy(const QByteArray &answer)
{
    if (!answer.startsWith(takenPrefix) || !answer.endsWith('\n'))
        return std::nullopt;
    bool isNumber = false;
    const qint64 processId = answer.mid(takenPrefix.size()).trimmed().toLongLong(&isNumber);
    return isNumber ? std::optional<qint64>(processId) : std::nullopt;
}

} // namespace HandOff
