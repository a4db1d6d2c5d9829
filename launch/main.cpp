// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"
#include "launchflow.h"
#include "platform.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Before anything loads a DLL that Windows does not keep in memory.
    Platform::restrictDllSearch();
    Platform::keepMessagesHarmless();
    QApplication application(argc, argv);

    // A missing translation is fine: the dialog keeps its English texts.
    QTranslator translator;
    translator.load(QStringLiteral("launcher_") + QLocale::system().name());
    application.installTranslator(&translator);

    // Reads launcher.ini from the working directory. Qt has taken its own
    // options from the arguments; the rest may go to the application.
    Launcher launcher(application.arguments().mid(1));
    return runLauncher(launcher);
}
