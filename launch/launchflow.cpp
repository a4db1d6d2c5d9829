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
// details, when there are any, go under the box's "Show Details...".
int reportIfFailed(bool failed, const QString &errorText, const QString &details = QString())
{
    if (!failed)
        return 0;
    if (details.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), errorText, QMessageBox::Ok, QMessageBox::NoButton);
        return 1;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), errorText, QMessageBox::Ok);
    box.setDetailedText(details);
    box.exec();
    return 1;
}

int reportIfLaunchFailed(const Launcher &launcher, bool failed)
{
    return reportIfFailed(failed, launchError, launcher.walletErrors);
}

int resolveMissingRuntime(Launcher &launcher)
{
    // Never deleted: it lives, hidden, until the process ends.
    auto *dialog = new ResolveDialog(nullptr);
    if (launcher.jreInstaller.isEmpty())
        dialog->ui.providedRadioButton->setEnabled(false);
    // Larger fonts at a higher scale need more room, a small screen has less.
    fitToScreen(*dialog);
    if (dialog->exec() != QDialog::Accepted) {
        launcher.log.write(QStringLiteral("the dialog: quit"));
        return 1;
    }

    switch (dialog->selectedChoice()) {
    case Provided:
        launcher.log.write(QStringLiteral("the dialog: install"));
        if (launcher.installJre())
            return reportIfFailed(true, installError);
        // Installed: the user starts the wallet again, unless the settings
        // ask to go on with the Java just installed, if it can be found.
        // Never while Windows restarts, which would cut the wallet off.
        if (!launcher.launchAfterInstall || launcher.restartStarted || !launcher.findInstalledJava())
            return 0;
        return reportIfLaunchFailed(launcher, launcher.launch());
    case Manual: {
        launcher.log.write(QStringLiteral("the dialog: pick a java"));
        const QString java = QFileDialog::getOpenFileName(
            nullptr, QStringLiteral("Please select the 'java' executable program."),
            QString(), QString(), nullptr, QFileDialog::Options());
        if (java.isEmpty())
            launcher.log.write(QStringLiteral("the file picker: cancelled"));
        return reportIfLaunchFailed(launcher, launcher.launchWith(java));
    }
    case NoChoice:
        // Nothing was asked for, so nothing failed.
        launcher.log.write(QStringLiteral("the dialog: no option"));
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
    if (const std::optional<int> handedOver = launcher.handOffToRunningWallet())
        return *handedOver;
    const int status = launcher.findJava() ? reportIfLaunchFailed(launcher, launcher.launch())
                                           : resolveMissingRuntime(launcher);
    launcher.log.write(QStringLiteral("the launcher ends with status %1").arg(status));
    return status;
}
