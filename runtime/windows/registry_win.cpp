// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "registry_win.h"
#include "variableexpansion.h"

#include <algorithm>
#include <vector>

namespace Registry {

namespace {

class Key
{
public:
    Key(HKEY root, const QString &name, REGSAM access)
    {
        if (RegOpenKeyExW(root, reinterpret_cast<LPCWSTR>(name.utf16()), 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;

    HKEY handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace

QList<Value> stringValues(HKEY root, const QString &key, REGSAM view)
{
    QList<Value> values;
    const Key opened(root, key, KEY_QUERY_VALUE | view);
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD largestData = 0;
    if (!opened.handle()
        || RegQueryInfoKeyW(opened.handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                            &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::vector<wchar_t> name(longestName + 1);
    // Whole characters, a value of an odd byte count rounded up, and room
    // for a terminating NUL the value may lack.
    std::vector<wchar_t> data((largestData + sizeof(wchar_t) - 1) / sizeof(wchar_t) + 1);
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = DWORD(name.size());
        DWORD type = 0;
        DWORD dataBytes = DWORD((data.size() - 1) * sizeof(wchar_t));
        if (RegEnumValueW(opened.handle(), index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE *>(data.data()), &dataBytes) != ERROR_SUCCESS
            || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        QString text = QString::fromWCharArray(data.data(), int(dataBytes / sizeof(wchar_t)));
        // A stored string usually ends with its NUL; what follows one is not part of it.
        const int end = text.indexOf(QChar(0));
        if (end >= 0)
            text.truncate(end);
        if (text.size() <= longestVariableValue)
            values.append({QString::fromWCharArray(name.data(), int(nameLength)), type == REG_EXPAND_SZ, text});
    }
    return values;
}

QString stringValue(HKEY root, const QString &key, const QString &name, REGSAM view)
{
    const QList<Value> values = stringValues(root, key, view);
    const auto named = std::find_if(values.cbegin(), values.cend(), [&name](const Value &value) {
        return value.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return named == values.cend() ? QString() : named->text;
}

QStringList subkeys(HKEY root, const QString &key, REGSAM view)
{
    QStringList names;
    const Key opened(root, key, KEY_ENUMERATE_SUB_KEYS | view);
    wchar_t name[256]; // the longest key name Windows allows, and its NUL
    for (DWORD index = 0; opened.handle(); ++index) {
        DWORD length = 256;
        const LSTATUS status = RegEnumKeyExW(opened.handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names << QString::fromWCharArray(name, int(length));
    }
    return names;
}

} // namespace Registry
