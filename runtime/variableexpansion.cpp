// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "variableexpansion.h"

std::optional<QString> expandVariables(const QString &text, const VariableLookup &lookup)
{
    QString result;
    int next = 0;
    while (next < text.size()) {
        const int open = text.indexOf(QLatin1Char('%'), next);
        const int close = open < 0 ? -1 : text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            result += text.midRef(next);
            break;
        }
        result += text.midRef(next, open - next);
        if (const std::optional<QString> value = lookup(text.mid(open + 1, close - open - 1))) {
            result += *value;
            next = close + 1;
        } else {
            result += text.midRef(open, close - open);
            next = close;
        }
    }
    if (result.size() > longestVariableValue)
        return std::nullopt;
    return result;
}
