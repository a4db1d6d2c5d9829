// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_TESTS_MODALDRIVER_H
#define RARUDOR_TESTS_MODALDRIVER_H

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user: each queued step acts on the next modal window that opens,
// the way a person answers one dialog after another. A modal window that
// opens when no step is left, or that a step left open for long, is noted
// and closed, so a test never hangs.
class ModalDriver : public QObject
{
    Q_OBJECT

public:
    using Step = std::function<void(QWidget *modal)>;

    explicit ModalDriver(QObject *parent = nullptr);

    void then(const Step &step);
    bool allStepsRan() const;
    QStringList unexpectedWindows() const;

    static void pressKeys(QWidget *window, const QString &keys);

private slots:
    void poll();

private:
    QList<Step> m_steps;
    QPointer<QWidget> m_lastHandled;
    QElapsedTimer m_sinceHandled;
    QStringList m_unexpected;
    QTimer m_timer;
};

#endif // RARUDOR_TESTS_MODALDRIVER_H
