// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_UTF8_H
#define RARUDOR_RUNTIME_UTF8_H

#include <QByteArray>

// Whether the bytes are valid UTF-8 throughout, their end included.
bool isValidUtf8(const QByteArray &bytes);

#endif // RARUDOR_RUNTIME_UTF8_H
