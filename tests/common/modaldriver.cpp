// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "modaldriver.h"

#include <QApplication>
#include <QKeySequence>
#include <QWindow>
#include <QtTest>

ModalDriver::ModalDriver(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
}

void ModalDriver::then(const Step &step)
{
    m_steps << step;
}

bool ModalDriver::allStepsRan() const
{
    return m_steps.isEmpty();
}

QStringList ModalDriver::unexpectedWindows() const
{
    return m_unexpected;
}

void ModalDriver::pressKeys(QWidget *window, const QString &keys)
{
    const QKeySequence sequence = QKeySequence::fromString(keys);
    for (int i = 0; i < sequence.count(); ++i) {
        const int combined = sequence[i];
        const auto key = Qt::Key(combined & ~int(Qt::KeyboardModifierMask));
        const auto modifiers = Qt::KeyboardModifiers(combined & int(Qt::KeyboardModifierMask));
        // Through the window, so the event reaches the focus widget and the
        // shortcut map as a key press from the keyboard would.
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
}

void ModalDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (modal == m_lastHandled) {
        if (m_sinceHandled.elapsed() > 20000) {
            m_unexpected << QStringLiteral("left open: ") + modal->windowTitle();
            modal->close();
        }
        return;
    }
    if (!QTest::qWaitForWindowActive(modal))
        return;
    m_lastHandled = modal;
    m_sinceHandled.start();
    if (m_steps.isEmpty()) {
        m_unexpected << modal->windowTitle();
        modal->close();
        return;
    }
    const Step step = m_steps.takeFirst();
    step(modal);
    // A step that failed half-way must not leave the test waiting forever.
    if (QTest::currentTestFailed() && modal->isVisible())
        modal->close();
}
