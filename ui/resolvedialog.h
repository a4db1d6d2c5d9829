// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_UI_RESOLVEDIALOG_H
#define RARUDOR_UI_RESOLVEDIALOG_H

#include "ui_resolvedialog.h"

#include <QDialog>

enum ResolveChoice {
    Manual = 0,
    Provided = 1,
    NoChoice = 2
};

class ResolveDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ResolveDialog(QWidget *parent = nullptr);

    ResolveChoice selectedChoice() const;

    Ui_ResolveDialog ui;
};

#endif // RARUDOR_UI_RESOLVEDIALOG_H
