// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the settings code as launcher.ini and checks
// what any file must give: no crash, no Java path, and fields no longer
// than the file itself.
#include "launcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir scratch;
    static quint64 run = 0;

    // A fresh folder each run: Qt caches a settings file by its path.
    const QString folder = scratch.filePath(QString::number(run++));
    QDir().mkpath(folder);
    // Put the working directory back afterwards: libFuzzer reads its corpus by relative paths.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    {
        QFile file(QStringLiteral("launcher.ini"));
        require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    const Launcher launcher;
    require(launcher.javaPath.isEmpty());
    require(launcher.jarPath.size() <= bytes.size());
    require(launcher.jreInstaller.size() <= bytes.size());
    // Without an equals sign there is no key and so nothing to read.
    if (!bytes.contains('=')) {
        require(launcher.jarPath.isEmpty());
        require(launcher.jreInstaller.isEmpty());
    }

    QDir::setCurrent(previous);
    QDir(folder).removeRecursively();
    return 0;
}
