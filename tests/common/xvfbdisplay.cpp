// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "xvfbdisplay.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>

namespace {

std::optional<QString> run(const QString &display, const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

XvfbDisplay::XvfbDisplay() = default;

XvfbDisplay::~XvfbDisplay()
{
    m_server.terminate();
    m_server.waitForFinished();
}

bool XvfbDisplay::start()
{
    // -displayfd picks a free display and says which once it accepts clients.
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                            QStringLiteral("-screen"), QStringLiteral("0"),
                                            QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp")});
    if (!m_server.waitForStarted())
        return false;
    while (!m_server.canReadLine()) {
        if (!m_server.waitForReadyRead(20000))
            return false;
    }
    m_name = QLatin1Char(':') + QString::fromLatin1(m_server.readLine()).trimmed();
    return true;
}

QString XvfbDisplay::name() const
{
    return m_name;
}

std::optional<QString> XvfbDisplay::xdotool(const QStringList &arguments, int timeoutMs) const
{
    return run(m_name, QStringLiteral("xdotool"), arguments, timeoutMs);
}

// xdotool gives up at once when a window it looks at goes away while it
// searches, as Wine's helper windows do while a program starts: search again.
QString XvfbDisplay::waitForWindow(const QString &titlePattern, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const std::optional<QString> found = xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                                      QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern},
                                                     int(timeoutMs - clock.elapsed()));
        if (found)
            return found->section(QLatin1Char('\n'), 0, 0);
    }
    return QString();
}

QString XvfbDisplay::windowSize(const QString &window) const
{
    const std::optional<QString> geometry = xdotool({QStringLiteral("getwindowgeometry"), window});
    return geometry ? geometry->section(QStringLiteral("Geometry: "), 1).trimmed() : QString();
}

// Focus first: keys typed through XTEST go to the focused window.
bool XvfbDisplay::pressKeys(const QString &window, const QStringList &keys) const
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window})
        && xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")} + keys);
}

bool XvfbDisplay::typeText(const QString &window, const QString &text) const
{
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window})
        && xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), QStringLiteral("--"), text});
}
