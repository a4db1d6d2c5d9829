// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include <shellapi.h>

#include <string>

namespace Platform {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Where the argument after the first begins in the raw command line, as
// CommandLineToArgvW splits it: the program name ends at its closing quote
// or at a blank; the switch, free of backslashes, at a blank outside quotes.
int afterSwitch(const QString &line)
{
    int at = 0;
    if (line.startsWith(QLatin1Char('"'))) {
        at = line.indexOf(QLatin1Char('"'), 1);
        at = at < 0 ? line.size() : at + 1;
    }
    while (at < line.size() && !isBlank(line.at(at)))
        ++at;
    while (at < line.size() && isBlank(line.at(at)))
        ++at;
    bool quoted = false;
    while (at < line.size() && (quoted || !isBlank(line.at(at)))) {
        if (line.at(at) == QLatin1Char('"'))
            quoted = !quoted;
        ++at;
    }
    while (at < line.size() && isBlank(line.at(at)))
        ++at;
    return at;
}

bool fitsAnsiCodePage(const QString &text)
{
    // Windows' UTF-8 code page holds everything, and takes no default-character flag.
    if (GetACP() == CP_UTF8)
        return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(text.utf16()), text.size(), nullptr, 0,
                        nullptr, &usedDefault);
    return !usedDefault;
}

QString shortName(const QString &path)
{
    const std::wstring wide = QDir::toNativeSeparators(path).toStdWString();
    std::wstring result(GetShortPathNameW(wide.c_str(), nullptr, 0), L'\0');
    const DWORD length = result.empty() ? 0 : GetShortPathNameW(wide.c_str(), result.data(), DWORD(result.size()));
    return length > 0 && length < result.size() ? QString::fromWCharArray(result.data(), int(length)) : QString();
}

} // namespace

QStringList commandLineArguments(int, char *[])
{
    QStringList arguments;
    int count = 0;
    if (wchar_t **split = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(split[i]);
        LocalFree(split);
    }
    return arguments;
}

QStringList argumentsAfterSwitch(const QStringList &)
{
    const QString line = QString::fromWCharArray(GetCommandLineW());
    QString rest = line.mid(afterSwitch(line));
    while (!rest.isEmpty() && isBlank(rest.back()))
        rest.chop(1);
    if (rest.isEmpty())
        return {};
    if (rest.size() >= 2 && rest.startsWith(QLatin1Char('"')) && rest.endsWith(QLatin1Char('"')))
        rest = rest.mid(1, rest.size() - 2);
    return {rest};
}

QString argumentForJava(const QString &argument)
{
    if (fitsAnsiCodePage(argument) || !QFileInfo::exists(argument))
        return argument;
    const QString shortPath = shortName(argument);
    if (!shortPath.isEmpty() && fitsAnsiCodePage(shortPath))
        return shortPath;
    writeOn(Output::Error, QStringLiteral("launcher: Java may not find %1: the system's code page cannot hold its "
                                          "name, and it has no short name\n")
                               .arg(QDir::toNativeSeparators(argument))
                               .toLocal8Bit());
    return argument;
}

} // namespace Platform
