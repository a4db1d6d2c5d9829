#include "launchflow.h"

#include "launcher.h"
#include "resolvedialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

int exitStatus(bool failed, const QString &errorText)
{
    if (!failed)
        return 0;
    QMessageBox::critical(nullptr, QStringLiteral("Error"), errorText, QMessageBox::Ok, QMessageBox::NoButton);
    return 1;
}

const QString launchError = QStringLiteral("The installer could not be launched.");
const QString installError = QStringLiteral("The provided Java Runtime Environment could not be installed.");

} // namespace

int runLauncher(Launcher &launcher)
{
    if (!launcher.findJava())
        return resolveMissingRuntime(launcher);
    return exitStatus(launcher.launch(), launchError);
}

int resolveMissingRuntime(Launcher &launcher)
{
    // Deliberately without owner: it lives until the process ends.
    auto *dialog = new ResolveDialog(nullptr);
    if (launcher.jreInstaller.isEmpty())
        dialog->ui.providedRadioButton->setEnabled(false);
    if (dialog->exec() != QDialog::Accepted)
        return 1;

    switch (dialog->selectedChoice()) {
    case Provided:
        return exitStatus(launcher.installJre(), installError);
    case Manual: {
        const QString java = QFileDialog::getOpenFileName(
            nullptr, QStringLiteral("Please select the 'java' executable program."),
            QString(), QString(), nullptr, QFileDialog::Options());
        return exitStatus(launcher.launchWith(java), launchError);
    }
    case NoChoice:
        break;
    }
    return 0;
}
