// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launchflow.h"

#include "launcher.h"
#include "resolvedialog.h"
#include "screenfit.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// The launch error names the installer even when the wallet failed: the text
// is fixed, and translators and users may know it as it stands.
const QString launchError = QStringLiteral("The installer could not be launched.");
const QString installError = QStringLiteral("The provided Java Runtime Environment could not be installed.");

// Shows errorText in an error box when the step failed; returns the exit status.
int reportIfFailed(bool failed, const QString &errorText)
{
    if (!failed)
        return 0;
    QMessageBox::critical(nullptr, QStringLiteral("Error"), errorText, QMessageBox::Ok, QMessageBox::NoButton);
    return 1;
}

int resolveMissingRuntime(Launcher &launcher)
{
    // Never deleted: it lives, hidden, until the process ends.
    auto *dialog = new ResolveDialog(nullptr);
    if (launcher.jreInstaller.isEmpty())
        dialog->ui.providedRadioButton->setEnabled(false);
    // Larger fonts at a higher scale need more room, a small screen has less.
    fitToScreen(*dialog);
    if (dialog->exec() != QDialog::Accepted)
        return 1;

    switch (dialog->selectedChoice()) {
    case Provided:
        if (launcher.installJre())
            return reportIfFailed(true, installError);
        // Installed: the user starts the wallet again, unless the settings
        // ask to go on with the Java just installed, if it can be found.
        // Never while Windows restarts, which would cut the wallet off.
        if (!launcher.launchAfterInstall || launcher.restartStarted || !launcher.findInstalledJava())
            return 0;
        return reportIfFailed(launcher.launch(), launchError);
    case Manual: {
        const QString java = QFileDialog::getOpenFileName(
            nullptr, QStringLiteral("Please select the 'java' executable program."),
            QString(), QString(), nullptr, QFileDialog::Options());
        return reportIfFailed(launcher.launchWith(java), launchError);
    }
    case NoChoice:
        // Nothing was asked for, so nothing failed.
        break;
    }
    return 0;
}

} // namespace

int reportLaunchError()
{
    return reportIfFailed(true, launchError);
}

int runLauncher(Launcher &launcher)
{
    if (!launcher.findJava())
        return resolveMissingRuntime(launcher);
    return reportIfFailed(launcher.launch(), launchError);
}
