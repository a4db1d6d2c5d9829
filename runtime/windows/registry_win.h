// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_REGISTRY_WIN_H
#define RARUDOR_RUNTIME_REGISTRY_WIN_H

#include <QList>
#include <QString>
#include <QStringList>

#include <qt_windows.h>

// Reading the Windows registry, for the platform seam alone. A key that
// cannot be opened reads as an empty one.
namespace Registry {

struct Value {
    QString name;
    bool expandable; // REG_EXPAND_SZ rather than REG_SZ
    QString text;
};

// The string values of the key, in the registry's order. Values of any
// other type, and longer than longestVariableValue, are left out. view is 0,
// KEY_WOW64_64KEY or KEY_WOW64_32KEY.
QList<Value> stringValues(HKEY root, const QString &key, REGSAM view = 0);

// The text of one string value of the key; empty when there is none.
QString stringValue(HKEY root, const QString &key, const QString &name, REGSAM view = 0);

// The names of the key's subkeys.
QStringList subkeys(HKEY root, const QString &key, REGSAM view = 0);

} // namespace Registry

#endif // RARUDOR_RUNTIME_REGISTRY_WIN_H
