// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"
#include "launchflow.h"
#include "platform.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Before anything loads a DLL that Windows does not keep in memory.
    Platform::restrictDllSearch();
    Platform::ignoreBrokenPipes();
    const QStringList arguments = Platform::commandLineArguments(argc, argv);
    // Registered as the handler of a link or a file type, the launcher is
    // started in whatever folder it was opened from. With this switch first
    // it works in its own folder, and Qt never sees the arguments after it:
    // they are the wallet's, and a link must not be read as a Qt option.
    const bool inOwnFolder = arguments.value(1) == QLatin1String("--own-folder");
    int applicationArgc = inOwnFolder ? 1 : argc;
    QApplication application(applicationArgc, argv);
    if (inOwnFolder) {
        const QString folder = Platform::ownFolder();
        const QString failure = Platform::enterFolder(folder);
        if (!failure.isEmpty()) {
            Platform::writeOn(Platform::Output::Error, QStringLiteral("launcher: cannot work in %1: %2\n")
                                                           .arg(QDir::toNativeSeparators(folder), failure)
                                                           .toLocal8Bit());
            return reportLaunchError();
        }
    }

    // A missing translation is fine: the dialog keeps its English texts.
    QTranslator translator;
    translator.load(QStringLiteral("launcher_") + QLocale::system().name());
    application.installTranslator(&translator);

    // Reads launcher.ini from the working directory. Without the switch Qt
    // has taken its own options from the arguments; the rest may go to the
    // application.
    Launcher launcher(inOwnFolder ? Platform::argumentsAfterSwitch(arguments) : application.arguments().mid(1));
    return runLauncher(launcher);
}
