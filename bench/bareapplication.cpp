// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// The floor for the launcher's own start-up: a QApplication built and left.
#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    return 0;
}
