// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_HANDOFF_H
#define RARUDOR_RUNTIME_HANDOFF_H

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

// What a later start of an installation hands to the launcher whose wallet
// runs, and what that wallet then reads on its standard input: each
// argument on a line of its own, in UTF-8, then an empty line.
namespace HandOff {

// A request larger than this is no request.
constexpr int largestRequest = 256 * 1024;

// Whether a line can carry the argument: it is not empty and holds no CR or LF.
bool fitsALine(const QString &argument);

// The request for arguments that all fit a line: a header line, each
// argument on a line, an empty line.
QByteArray request(const QStringList &arguments);

// The arguments of a whole request: its header, lines of valid UTF-8
// without CR, the empty line last, and no more than largestRequest bytes.
// Nothing for anything else.
std::optional<QStringList> arguments(const QByteArray &request);

// Whether the bytes received so far end a request, or never can: a reader
// stops there.
bool isComplete(const QByteArray &received);

// Reads with read, which fills the buffer it is given and returns how much
// it filled (0 or less at the end or on failure), until complete says so.
QByteArray receive(const std::function<qint64(char *buffer, qint64 size)> &read,
                   const std::function<bool(const QByteArray &received)> &complete);

// The lines the wallet reads for arguments that all fit a line.
QByteArray walletInput(const QStringList &arguments);

// The holder's answers: taken, with the wallet's process id; or refused,
// because the wallet has not read what it was given before.
QByteArray taken(qint64 walletProcessId);
QByteArray refused();
// The wallet's process id of a "taken" answer; nothing for a refusal or
// anything else.
std::optional<qint64> takenBy(const QByteArray &answer);

} // namespace HandOff

#endif // RARUDOR_RUNTIME_HANDOFF_H
