// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "handoff.h"

#include <QTextCodec>

namespace HandOff {

namespace {

const QByteArray header = QByteArrayLiteral("rarudor-launcher hand-off 1\n");
const QByteArray takenPrefix = QByteArrayLiteral("taken ");

bool isValidUtf8(const QByteArray &bytes)
{
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

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
