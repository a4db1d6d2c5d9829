// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_RUNTIME_JAVAVERSION_H
#define RARUDOR_RUNTIME_JAVAVERSION_H

#include <QByteArray>
#include <QString>

// Which Java a java executable is, read without starting it where its
// Java home says so, else from what its "-version" wrote.
namespace JavaVersion {

// The feature version that a Java version names: 8 for "1.8.0_381", 17 for
// "17.0.15", 21 for "21", 25 for "25-ea"; 0 when it names none.
int feature(const QString &version);

// Whether version names a later Java than other: by feature version, then
// by the numbers that follow ("17.0.15" after "17.0.2", "1.8.0_401" after
// "1.8.0_381").
bool isNewer(const QString &version, const QString &other);

// JAVA_VERSION from the release file that every JDK since 8 and every
// jlink image has in its Java home; empty when there is none.
QString fromReleaseFile(const QString &path);

// The first version "…" in what "java -version" wrote to standard error,
// after any "Picked up JAVA_TOOL_OPTIONS" line; empty when there is none.
QString fromVersionOutput(const QByteArray &output);

} // namespace JavaVersion

#endif // RARUDOR_RUNTIME_JAVAVERSION_H
