// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "resolvedialog.h"

ResolveDialog::ResolveDialog(QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
{
    ui.setupUi(this);
}

ResolveChoice ResolveDialog::selectedChoice() const
{
    if (ui.manualRadioButton->isChecked())
        return Manual;
    if (ui.providedRadioButton->isChecked())
        return Provided;
    return NoChoice;
}
