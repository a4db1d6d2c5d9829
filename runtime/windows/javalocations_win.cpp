// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "registry_win.h"
#include "programsearch_win.h"

#include <QDir>

namespace Platform {

namespace {

// Below each key, one subkey a version or product; below that, at path,
// the value that names its Java home.
struct VendorKey {
    const char *key;
    const char *path;
    const char *value;
};

const VendorKey vendorKeys[] = {
    // Oracle's JDK and JRE since 9, and Amazon Corretto, which writes
    // Oracle's keys; then up to 8. Oracle's Java SE 9 guide,
    // "Installation of the JDK and the JRE on Microsoft Windows
    // Platforms"; Eclipse Temurin's installer writes them too.
    {"SOFTWARE\\JavaSoft\\JDK", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\JRE", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", "", "JavaHome"},
    // Eclipse Temurin's installer, as its source writes them (adoptium
    // installer, wix/Main.wxs.template: SOFTWARE\<maker>\<JDK or
    // JRE>\<version>\<JVM>\MSI, value Path); the same installer made
    // AdoptOpenJDK's and Eclipse Foundation's, and makes Microsoft's
    // Build of OpenJDK.
    {"SOFTWARE\\Eclipse Adoptium\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Eclipse Adoptium\\JRE", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JRE", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Eclipse Foundation\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Eclipse Foundation\\JRE", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Microsoft\\JDK", "\\hotspot\\MSI", "Path"},
    // Azul and BellSoft publish no installer source or registry
    // documentation: these are the keys their installers are seen to write.
    {"SOFTWARE\\Azul Systems\\Zulu", "", "InstallationPath"},
    {"SOFTWARE\\BellSoft\\Liberica", "", "InstallationPath"},
};

} // namespace

QStringList installedJavaHomes()
{
    QStringList homes;
    for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (const REGSAM view : {REGSAM(KEY_WOW64_64KEY), REGSAM(KEY_WOW64_32KEY)}) {
            for (const VendorKey &vendor : vendorKeys) {
                const QString key = QString::fromLatin1(vendor.key);
                for (const QString &subkey : Registry::subkeys(root, key, view)) {
                    const QString home = Registry::stringValue(
                        root, key + QLatin1Char('\\') + subkey + QLatin1String(vendor.path), QLatin1String(vendor.value), view);
                    if (!home.isEmpty())
                        homes << QDir::fromNativeSeparators(home);
                }
            }
        }
    }
    return homes;
}

QString javaUnderHome()
{
    return QStringLiteral("bin/java.exe");
}

QString javaOnSearchPath()
{
    // CreateProcess would look in the launcher's folder and the working
    // directory before PATH: name the file, so that it looks nowhere.
    return ProgramSearch::firstFileIn(ProgramSearch::folders(), QStringLiteral("java.exe"));
}

} // namespace Platform
