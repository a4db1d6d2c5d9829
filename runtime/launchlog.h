// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_LAUNCHLOG_H
#define RARUDOR_RUNTIME_LAUNCHLOG_H

#include <QString>

// The file that launcher.ini's log key names, for support: one line a
// decision, each opened by the local time in ISO 8601. Every line is
// appended on its own, so that what others append in between, such as the
// wallet's standard error, stays whole, and nothing is lost if the
// launcher is killed.
class LaunchLog
{
public:
    // Lines this long at most are taken from what others appended.
    static constexpr int detailLines = 20;
    static constexpr int detailBytes = 4096;

    // The setting's value: %NAME% replaced by that environment variable,
    // relative to the working directory. Makes missing folders, and first
    // renames a log over 1 MiB to the same name with ".1". A log that
    // cannot be written (a folder, a device, no permission) gets one line
    // on standard error and stays closed. An empty setting opens nothing.
    void open(const QString &setting);
    bool isOpen() const;
    // The file's full path; empty when closed.
    QString filePath() const;

    void write(const QString &line) const;
    // Where the file ends now, to find later what others appended.
    qint64 end() const;
    // The last lines appended since end() gave offset, detailLines and
    // detailBytes at most.
    QString appendedSince(qint64 offset) const;

private:
    QString m_path;
};

#endif // RARUDOR_RUNTIME_LAUNCHLOG_H
