// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "registry_win.h"
#include "variableexpansion.h"

#include <QHash>
#include <QProcessEnvironment>

namespace Platform {

namespace {

void setVariable(const QString &name, const QString &value)
{
    // Through the C runtime, which Qt reads, and on to Windows' own copy,
    // which children inherit. An empty value removes the variable.
    const QString assignment = name + QLatin1Char('=') + value;
    _wputenv(reinterpret_cast<const wchar_t *>(assignment.utf16()));
}

} // namespace

void reloadJavaEnvironment()
{
    const QString javaHome = QStringLiteral("JAVA_HOME");
    const QString path = QStringLiteral("PATH");
    // Windows ignores the case of names: upper-case keys.
    QHash<QString, QString> environment;
    const QProcessEnvironment current = QProcessEnvironment::systemEnvironment();
    for (const QString &name : current.keys())
        environment.insert(name.toUpper(), current.value(name));
    const VariableLookup lookup = [&environment](const QString &name) -> std::optional<QString> {
        const auto value = environment.constFind(name.toUpper());
        return value == environment.cend() ? std::nullopt : std::optional<QString>(*value);
    };
    QStringList taken;
    QString machinePath;
    const QList<QPair<HKEY, QString>> keys{
        {HKEY_LOCAL_MACHINE, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment")},
        {HKEY_CURRENT_USER, QStringLiteral("Environment")}};
    for (const auto &[root, key] : keys) {
        const QList<Registry::Value> values = Registry::stringValues(root, key);
        for (const bool expandable : {false, true}) {
            for (const Registry::Value &value : values) {
                if (value.expandable != expandable)
                    continue;
                const QString name = value.name.toUpper();
                std::optional<QString> text = expandable ? expandVariables(value.text, lookup) : value.text;
                if (text && name == path && root == HKEY_CURRENT_USER && !machinePath.isEmpty())
                    text = machinePath + QLatin1Char(';') + *text;
                if (!text || text->size() > longestVariableValue)
                    continue;
                if (name == path && root == HKEY_LOCAL_MACHINE)
                    machinePath = *text;
                environment.insert(name, *text);
                taken << name;
            }
        }
    }
    for (const QString &name : {javaHome, path}) {
        if (taken.contains(name))
            setVariable(name, environment.value(name));
    }
}

} // namespace Platform
