// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_VARIABLEEXPANSION_H
#define RARUDOR_RUNTIME_VARIABLEEXPANSION_H

#include <QString>

#include <functional>
#include <optional>

// Windows' limit for one environment variable's value.
constexpr int longestVariableValue = 32767;

// The value of the variable of that name, or nothing when it is not set.
using VariableLookup = std::function<std::optional<QString>(const QString &name)>;

// The text with each %NAME% replaced by the variable's value, as Windows'
// ExpandEnvironmentStrings does: a name that is not set stays as it is, %
// signs included, and its closing % may open the next name; a replaced
// value is not looked at again. Nothing when the result is longer than
// longestVariableValue.
std::optional<QString> expandVariables(const QString &text, const VariableLookup &lookup);

#endif // RARUDOR_RUNTIME_VARIABLEEXPANSION_H
