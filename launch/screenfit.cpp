// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "screenfit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void fitToScreen(QWidget &window)
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = window.screen();

    const QLayout *layout = window.layout();
    QSize needed = window.size().expandedTo(window.minimumSize()).expandedTo(layout->totalMinimumSize());
    // A wrapped text needs more lines, so more height, the larger its font.
    if (layout->hasHeightForWidth())
        needed.setHeight(qMax(needed.height(), layout->totalHeightForWidth(needed.width())));

    // The frame's size is known once the native window exists.
    window.winId();
    const QMargins frame = window.windowHandle()->frameMargins();
    const QRect available = screen->availableGeometry();
    const QSize size = needed.boundedTo(available.marginsRemoved(frame).size());
    window.setMinimumSize(size);
    window.resize(size);
    // Centred, as QDialog would; a window's position is that of its frame.
    const QSize framed = size.grownBy(frame);
    window.move(available.left() + (available.width() - framed.width()) / 2,
                available.top() + (available.height() - framed.height()) / 2);
}
