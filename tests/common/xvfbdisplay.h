// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_TESTS_XVFBDISPLAY_H
#define RARUDOR_TESTS_XVFBDISPLAY_H

#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

// A private X server for driving real windows with real key presses.
class XvfbDisplay
{
public:
    XvfbDisplay();
    ~XvfbDisplay();

    bool start();
    QString name() const;

    // Runs xdotool on this display; returns its output, or nothing when it failed.
    std::optional<QString> xdotool(const QStringList &arguments, int timeoutMs = 20000) const;
    // The id of the first visible window whose title matches the pattern, once it shows.
    QString waitForWindow(const QString &titlePattern, int timeoutMs = 30000) const;
    QString windowSize(const QString &window) const;
    bool pressKeys(const QString &window, const QStringList &keys) const;
    bool typeText(const QString &window, const QString &text) const;

private:
    QProcess m_server;
    QString m_name;
};

#endif // RARUDOR_TESTS_XVFBDISPLAY_H
