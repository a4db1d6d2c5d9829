// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"
#include "sandbox.h"
#include "standin.h"

#include <QDir>
#include <QFile>
#include <QOperatingSystemVersion>
#include <QtTest>

class TestLauncher : public QObject
{
    Q_OBJECT

private slots:
    void readsSettings_data();
    void readsSettings();
    void readsLaunchOptions_data();
    void readsLaunchOptions();
    void findsJava_data();
    void findsJava();
    void choosesNewEnoughJava_data();
    void choosesNewEnoughJava();
    void launchesArchive_data();
    void launchesArchive();
    void runsInstallerCommand_data();
    void runsInstallerCommand();
    void childInheritsWorkingDirectory();
};

namespace {

// Qt's settings ignore the case of section and key names on Windows, and
// Windows drops an environment variable set to nothing.
const bool onWindows = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;

QByteArray example(const char *name)
{
    QFile file(QStringLiteral(EXAMPLES_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing example");
}

// "%F<N>" in text stands for the filler that makes a command line N
// characters long, its NUL included, where the rest of the line takes
// lineWithoutFiller characters.
QString filled(QString text, int lineWithoutFiller)
{
    const QRegularExpressionMatch filler = QRegularExpression(QStringLiteral("%F(\\d+)")).match(text);
    if (!filler.hasMatch())
        return text;
    const int length = filler.captured(1).toInt() - 1 - lineWithoutFiller;
    return text.replace(filler.capturedStart(), filler.capturedLength(), QString(length, QLatin1Char('w')));
}

// The program as it heads a command line on Windows: quoted when it holds a space.
int programLength(const QString &program)
{
    return program.size() + (program.contains(QLatin1Char(' ')) ? 2 : 0);
}

} // namespace

void TestLauncher::readsSettings_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("jarPath");
    QTest::addColumn<QString>("jreInstaller");

    const QString ini = QStringLiteral("launcher.ini");
    QTest::newRow("general section") << ini << QByteArray("[General]\njar=wallet.jar\njre=setup.exe /s\n")
                                     << "wallet.jar" << "setup.exe /s";
    QTest::newRow("keys before any section") << ini << QByteArray("jar=wallet.jar\njre=setup.exe\n")
                                             << "wallet.jar" << "setup.exe";
    QTest::newRow("win32 overrides both") << ini
        << QByteArray("[General]\njar=a.jar\njre=a.exe\n[win32]\njar=b.jar\njre=b.exe\n") << "b.jar" << "b.exe";
    QTest::newRow("win32 overrides jar only") << ini
        << QByteArray("[General]\njar=a.jar\njre=a.exe\n[win32]\njar=b.jar\n") << "b.jar" << "a.exe";
    QTest::newRow("win32 empty jre wins") << ini
        << QByteArray("[General]\njar=a.jar\njre=a.exe\n[win32]\njre=\n") << "a.jar" << "";
    QTest::newRow("win32 section first") << ini
        << QByteArray("[win32]\njar=b.jar\n[General]\njar=a.jar\n") << "b.jar" << "";
    QTest::newRow("other keys and sections ignored") << ini
        << QByteArray("[General]\njava=/opt/java\n[win64]\njar=x.jar\n[Win32]\njre=y.exe\n") << ""
        << (onWindows ? "y.exe" : "");
    QTest::newRow("missing file") << QString() << QByteArray() << "" << "";
    QTest::newRow("file in another folder") << QStringLiteral("app/launcher.ini")
        << QByteArray("jar=wallet.jar\njre=setup.exe\n") << "" << "";
    QTest::newRow("CRLF line ends") << ini << QByteArray("[General]\r\njar=wallet.jar\r\njre=setup.exe /s\r\n")
                                    << "wallet.jar" << "setup.exe /s";
    QTest::newRow("UTF-8 with byte-order mark") << ini
        << QByteArray("\xEF\xBB\xBF[General]\njar=B\xC3\xBC" "cher/\xE2\x82\xAC.jar\n") << QStringLiteral("Bücher/€.jar") << "";
    QTest::newRow("UTF-8 without byte-order mark") << ini
        << QByteArray("[General]\njar=B\xC3\xBC" "cher/\xE2\x82\xAC.jar\n") << QStringLiteral("Bücher/€.jar") << "";
    QTest::newRow("8-bit text read as Latin-1") << ini << QByteArray("jar=B\xFC" "cher.jar\n")
                                                << QStringLiteral("Bücher.jar") << "";
    QTest::newRow("unquoted comma") << ini << QByteArray("jre=setup.exe /s ADDLOCAL=a,b\n")
                                    << "" << "setup.exe /s ADDLOCAL=a,b";
    QTest::newRow("quoted comma") << ini << QByteArray("jre=\"setup.exe /s ADDLOCAL=a,b\"\n")
                                  << "" << "setup.exe /s ADDLOCAL=a,b";
    QTest::newRow("escaped quotes around a program path") << ini
        << QByteArray("jre=\"\\\"C:/Program Files/Java/setup.exe\\\" /s\"\n")
        << "" << "\"C:/Program Files/Java/setup.exe\" /s";
    QTest::newRow("doubled backslashes") << ini << QByteArray("jar=C:\\\\Wallet\\\\wallet.jar\n")
                                         << "C:\\Wallet\\wallet.jar" << "";

    // Whatever lies in the file, the launcher reads what it can and goes on.
    QByteArray noise;
    quint32 seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245 + 12345;
        noise.append(char(seed >> 16));
    }
    QTest::newRow("random bytes") << ini << noise << "" << "";
    QTest::newRow("random bytes, then keys") << ini << noise + "\njar=after.jar\n" << "after.jar" << "";
    QTest::newRow("NUL inside a value") << ini << QByteArray("jar=wal\0let.jar\njre=x\n", 22)
                                        << QString::fromLatin1("wal\0let.jar", 11) << "x";
    QTest::newRow("empty file") << ini << QByteArray() << "" << "";
    QTest::newRow("10 MB of comments") << ini << QByteArray(10 * 1024 * 1024 - 16, ';').replace(0, 1, "\n") + "\njar=big.jar\n"
                                       << "big.jar" << "";
    QTest::newRow("1 MB value") << ini << "jar=" + QByteArray(1024 * 1024, 'w') + "\n"
                                << QString(1024 * 1024, QLatin1Char('w')) << "";
    QTest::newRow("a folder named launcher.ini") << QStringLiteral("launcher.ini/inner.ini")
                                                 << QByteArray("jar=inner.jar\n") << "" << "";
    QTest::newRow("line without equals sign") << ini << QByteArray("jar\njre=setup.exe\n") << "" << "setup.exe";
    QTest::newRow("duplicate keys, last wins") << ini << QByteArray("jar=a.jar\njar=b.jar\n") << "b.jar" << "";
    QTest::newRow("section repeated") << ini << QByteArray("[win32]\njar=a.jar\n[General]\njar=g.jar\n[win32]\njar=b.jar\n")
                                      << "b.jar" << "";
    QTest::newRow("section names in other cases") << ini << QByteArray("[WIN32]\njar=b.jar\n[general]\njre=x\n")
                                                  << (onWindows ? "b.jar" : "") << "x";
    QTest::newRow("tripled quotes") << ini << QByteArray("jre=\"\"\"setup.exe\"\"\" /s\n") << "" << "setup.exe/s";

    // The examples that the docs show (scripts/check-docs.py holds them to these files).
    QTest::newRow("example launcher.ini") << ini << example("launcher.ini") << "RarudorWallet.jar" << "jre-setup.exe /s";
    QTest::newRow("example win32-section.ini") << ini << example("win32-section.ini") << "RarudorWallet.jar"
                                               << "jre-setup.exe /s";
    QTest::newRow("example empty-override.ini") << ini << example("empty-override.ini") << "RarudorWallet.jar" << "";
    QTest::newRow("example backslash-wrong.ini") << ini << example("backslash-wrong.ini")
                                                 << "C:arudorarudorWallet.jar" << "";
    QTest::newRow("example backslash-right.ini") << ini << example("backslash-right.ini")
                                                 << "C:/Rarudor/RarudorWallet.jar" << "C:\\Rarudor\\jre-setup.exe /s";
    QTest::newRow("example spaces-wrong.ini") << ini << example("spaces-wrong.ini") << ""
                                              << "C:/Program Files/Rarudor/jre-setup.exe/s";
    QTest::newRow("example spaces-right.ini") << ini << example("spaces-right.ini") << ""
                                              << "\"C:/Program Files/Rarudor/jre-setup.exe\" /s";
    QTest::newRow("example commas.ini") << ini << example("commas.ini") << ""
                                        << "jre-setup.exe /s ADDLOCAL=FeatureMain,FeatureUpgrade";
    QTest::newRow("example utf8.ini") << ini << example("utf8.ini") << QStringLiteral("Geldbörse/RarudorWallet.jar") << "";
}

void TestLauncher::readsSettings()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, contents);
    Sandbox sandbox;
    if (!fileName.isEmpty())
        QVERIFY(sandbox.write(fileName, contents));

    const Launcher launcher;

    QTEST(launcher.jarPath, "jarPath");
    QTEST(launcher.jreInstaller, "jreInstaller");
    QCOMPARE(launcher.javaPath, QString());
}

void TestLauncher::readsLaunchOptions_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("commandLine"); // the launcher's own arguments
    QTest::addColumn<QStringList>("jvmOptions");
    QTest::addColumn<QStringList>("applicationArguments");
    QTest::addColumn<int>("minimumJavaVersion");
    QTest::addColumn<QString>("bundledRuntime");

    const QStringList commandLine{"rarudor:pay?amount=1", "", "two words"};
    QTest::newRow("none") << QByteArray("jar=a.jar\n") << commandLine << QStringList() << QStringList() << 0 << "";
    QTest::newRow("all four") << QByteArray("options=-Xmx1g -Da=b\narguments=forward\nminjava=17\nruntime=jre\n")
                              << commandLine << QStringList{"-Xmx1g", "-Da=b"} << commandLine << 17 << "jre";
    QTest::newRow("[win32] wins, even empty") << QByteArray("options=-Xmx1g\nminjava=17\nruntime=jre\n"
                                                            "[win32]\noptions=\nminjava=21\nruntime=\n")
                                              << commandLine << QStringList() << QStringList() << 21 << "";
    QTest::newRow("only forward forwards") << QByteArray("arguments=Forward\n") << commandLine << QStringList()
                                           << QStringList() << 0 << "";
    QTest::newRow("example launcher.ini") << example("launcher.ini") << commandLine << QStringList() << QStringList()
                                          << 0 << "";
    QTest::newRow("example jvm-options.ini") << example("jvm-options.ini") << commandLine
                                             << QStringList{"-Dwallet.data=C:/Wallet Data", "-Xmx512m"} << QStringList()
                                             << 0 << "";
    QTest::newRow("example jvm-options-wrong.ini") << example("jvm-options-wrong.ini") << commandLine
                                                   << QStringList{"-Dwallet.data=C:allet", "Data-Xmx512m"} << QStringList() << 0 << "";
}

void TestLauncher::readsLaunchOptions()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, commandLine);
    Sandbox sandbox;
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), contents));

    const Launcher launcher(commandLine);

    QTEST(launcher.jvmOptions, "jvmOptions");
    QTEST(launcher.applicationArguments, "applicationArguments");
    QTEST(launcher.minimumJavaVersion, "minimumJavaVersion");
    QTEST(launcher.bundledRuntime, "bundledRuntime");
}

void TestLauncher::findsJava_data()
{
    QTest::addColumn<bool>("javaHomeSet");
    QTest::addColumn<QString>("javaHome"); // %T is the scratch folder
    QTest::addColumn<QString>("javaUnderHome"); // where a java lies, relative to %T, without ".exe"
    QTest::addColumn<int>("probeExitCode"); // -1: no java on the search path
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("javaPath"); // %X is ".exe" on Windows, %S the probe's java as found
    QTest::addColumn<bool>("probed");

    QTest::newRow("home with separator") << true << "%T/jdk/" << "jdk/bin/java" << 0
                                         << true << "%T/jdk/bin/java%X" << false;
    QTest::newRow("home without separator") << true << "%T/jdk" << "jdk/bin/java" << 0
                                            << true << "%T/jdk/bin/java%X" << false;
    QTest::newRow("home with backslash is kept as it is") << true << "%T/jdk\\" << "jdk\\bin/java" << -1
                                                          << true << "%T/jdk\\bin/java%X" << false;
    QTest::newRow("empty home looks in the working folder") << true << "" << "bin/java" << -1
                                                            << !onWindows << (onWindows ? "" : "bin/java%X") << false;
    QTest::newRow("home pointing nowhere, probe succeeds") << true << "%T/nowhere" << "jdk/bin/java" << 0
                                                           << true << "%S" << true;
    QTest::newRow("home unset, probe succeeds") << false << "" << "" << 0 << true << "%S" << true;
    QTest::newRow("home unset, java only in the working folder") << false << "" << "java" << -1 << false << "" << false;
    QTest::newRow("home unset, probe fails") << false << "" << "" << 1 << false << "" << true;
    QTest::newRow("home unset, no java anywhere") << false << "" << "" << -1 << false << "" << false;
    QTest::newRow("home with non-ASCII characters") << true << QStringLiteral("%T/jdk-ü€") << QStringLiteral("jdk-ü€/bin/java")
                                                    << -1 << true << QStringLiteral("%T/jdk-ü€/bin/java%X") << false;
    QTest::newRow("home of 4000 characters") << true << "%T/" + QString(4000, QLatin1Char('j')) << "" << 1
                                             << false << "" << true;
}

void TestLauncher::findsJava()
{
    QFETCH(bool, javaHomeSet);
    QFETCH(QString, javaHome);
    QFETCH(QString, javaUnderHome);
    QFETCH(int, probeExitCode);
    QFETCH(QString, javaPath);
    QFETCH(bool, probed);

    Sandbox sandbox;
    if (!javaUnderHome.isEmpty())
        StandIn(sandbox.path(javaUnderHome));
    const StandIn probe(sandbox.path(QStringLiteral("search/java")),
                        {QStringLiteral("exit %1").arg(qMax(probeExitCode, 0))});
    Sandbox::setSearchPath(sandbox.path(probeExitCode < 0 ? QStringLiteral("empty") : QStringLiteral("search")));
    if (javaHomeSet)
        Sandbox::setJavaHome(javaHome.replace(QLatin1String("%T"), sandbox.path()));
    else
        Sandbox::unsetJavaHome();

    Launcher launcher;
    QTEST(launcher.findJava(), "found");
    // Windows names the file it found, so that CreateProcess searches nowhere else.
    const QString probeJava = onWindows ? QDir::toNativeSeparators(probe.path()) : QStringLiteral("java");
    javaPath.replace(QLatin1String("%S"), probeJava).replace(QLatin1String("%T"), sandbox.path())
        .replace(QLatin1String("%X"), StandIn::executable(QString()));
    QCOMPARE(launcher.javaPath, javaPath);

    const QList<StandIn::Run> runs = probe.runs();
    QCOMPARE(runs.size(), probed ? 1 : 0);
    if (probed)
        QCOMPARE(runs.first().arguments, QStringList{QStringLiteral("-version")});
}

void TestLauncher::choosesNewEnoughJava_data()
{
    QTest::addColumn<QByteArray>("settings");
    // How the bundled runtime (jre/), JAVA_HOME (jdk/) and the search path
    // each tell their Java's version: "release V" in a release file, "says
    // LINE|LINE" on standard error for "-version"; empty: no Java there.
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("chosen"); // "runtime", "home", "path", or empty for none
    QTest::addColumn<QStringList>("probed"); // which were started

    const QString java17 = QStringLiteral("says openjdk version \"17.0.15\" 2025-04-15|OpenJDK Runtime Environment");
    QTest::newRow("runtime before JAVA_HOME") << QByteArray("runtime=jre\n") << "release 11.0.2" << "release 17"
                                              << java17 << "runtime" << QStringList();
    QTest::newRow("runtime folder missing: JAVA_HOME") << QByteArray("runtime=jre\n") << "" << "release 17"
                                                       << java17 << "home" << QStringList();
    QTest::newRow("runtime folder missing, no JAVA_HOME: search path") << QByteArray("runtime=jre\n") << "" << ""
                                                                       << java17 << "path" << QStringList{"path"};
    QTest::newRow("old JAVA_HOME passed over for the search path") << QByteArray("minjava=17\n") << ""
        << "release 1.8.0_381" << java17 << "path" << QStringList{"path"};
    QTest::newRow("old runtime passed over for JAVA_HOME") << QByteArray("minjava=17\nruntime=jre\n") << "release 11.0.2"
        << "release 21" << java17 << "home" << QStringList();
    QTest::newRow("JAVA_HOME without release file is asked") << QByteArray("minjava=17\n") << "" << java17 << ""
                                                             << "home" << QStringList{"home"};
    QTest::newRow("release file without a version: asked") << QByteArray("minjava=17\n") << ""
        << "release |" + java17 << "" << "home" << QStringList{"home"};
    QTest::newRow("none new enough") << QByteArray("minjava=21\nruntime=jre\n") << "release 17" << "release 17"
                                     << java17 << "" << QStringList{"path"};
    QTest::newRow("1.8.0_381 is 8") << QByteArray("minjava=8\n") << "" << ""
                                    << "says java version \"1.8.0_381\"" << "path" << QStringList{"path"};
    QTest::newRow("1.8.0_381 is below 9") << QByteArray("minjava=9\n") << "" << ""
                                          << "says java version \"1.8.0_381\"" << "" << QStringList{"path"};
    QTest::newRow("21 is 21") << QByteArray("minjava=21\n") << "" << "" << "says java version \"21\" 2023-09-19"
                              << "path" << QStringList{"path"};
    QTest::newRow("25-ea is 25") << QByteArray("minjava=25\n") << "" << "" << "says openjdk version \"25-ea\""
                                 << "path" << QStringList{"path"};
    QTest::newRow("JAVA_TOOL_OPTIONS line first") << QByteArray("minjava=17\n") << "" << ""
        << "says Picked up JAVA_TOOL_OPTIONS: -Dversion=\"9\"|" + java17.mid(5) << "path" << QStringList{"path"};
    QTest::newRow("no version is too old") << QByteArray("minjava=1\n") << "" << "" << "says Error: no version here"
                                           << "" << QStringList{"path"};
    // A minimum of no use counts as none.
    QTest::newRow("minjava of words") << QByteArray("minjava=seventeen\n") << "" << "release 1.8.0_381" << ""
                                      << "home" << QStringList();
    QTest::newRow("negative minjava") << QByteArray("minjava=-17\n") << "" << "release 1.8.0_381" << ""
                                      << "home" << QStringList();
    QTest::newRow("minjava too large for any integer") << QByteArray("minjava=99999999999999999999999\n") << ""
                                                       << "release 1.8.0_381" << "" << "home" << QStringList();
    QTest::newRow("minjava in [win32] wins") << QByteArray("minjava=8\n[win32]\nminjava=17\n") << ""
                                             << "release 11" << java17 << "path" << QStringList{"path"};
}

void TestLauncher::choosesNewEnoughJava()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, runtime);
    QFETCH(QString, home);
    QFETCH(QString, path);
    QFETCH(QString, chosen);

    Sandbox sandbox;
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), settings));
    const QMap<QString, QPair<QString, QString>> candidates{
        {"runtime", {"jre", runtime}}, {"home", {"jdk", home}}, {"path", {"search", path}}};
    std::vector<std::pair<QString, StandIn>> javas;
    for (auto candidate = candidates.cbegin(); candidate != candidates.cend(); ++candidate) {
        const QString folder = candidate->first;
        QString version = candidate->second;
        if (version.isEmpty())
            continue;
        QStringList instructions;
        if (version.startsWith(QLatin1String("release "))) {
            const QString release = version.mid(8).section(QLatin1Char('|'), 0, 0);
            QVERIFY(sandbox.write(folder + QStringLiteral("/release"),
                                  "IMPLEMENTOR=\"Test\"\nJAVA_VERSION=\"" + release.toUtf8() + "\"\n"));
            version = version.section(QLatin1Char('|'), 1);
        }
        if (version.startsWith(QLatin1String("says ")))
            instructions = version.mid(5).split(QLatin1Char('|')).replaceInStrings(QRegularExpression("^"), "error-line ");
        javas.emplace_back(candidate.key(), StandIn(sandbox.path(folder + (folder == "search" ? "/java" : "/bin/java")),
                                                    instructions));
    }
    Sandbox::setSearchPath(sandbox.path(QStringLiteral("search")));
    if (home.isEmpty())
        Sandbox::unsetJavaHome();
    else
        Sandbox::setJavaHome(sandbox.path(QStringLiteral("jdk")));

    Launcher launcher;
    QCOMPARE(launcher.findJava(), !chosen.isEmpty());
    // The bundled runtime as launcher.ini names it, relative to the working directory.
    QString chosenJava = chosen == "path" && !onWindows ? QStringLiteral("java") : QString();
    if (chosen == "runtime")
        chosenJava = StandIn::executable(QStringLiteral("jre/bin/java"));
    QStringList probed;
    for (const auto &[name, java] : javas) {
        if (name == chosen && chosenJava.isEmpty())
            chosenJava = java.path();
        if (!java.runs().isEmpty())
            probed << name;
    }
    QCOMPARE(QDir::toNativeSeparators(launcher.javaPath), QDir::toNativeSeparators(chosenJava));
    QTEST(probed, "probed");
}

void TestLauncher::launchesArchive_data()
{
    QTest::addColumn<QString>("java"); // "fake", "missing" or "empty"
    QTest::addColumn<QString>("jarPath");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("crashes");
    QTest::addColumn<int>("status");

    QTest::newRow("application exits 0") << "fake" << "wallet.jar" << 0 << false << 0;
    QTest::newRow("application exits 3") << "fake" << "wallet.jar" << 3 << false << 3;
    QTest::newRow("application crashes") << "fake" << "wallet.jar" << 0 << true << -1;
    QTest::newRow("empty archive path still passed") << "fake" << "" << 0 << false << 0;
    QTest::newRow("spaces and non-ASCII kept whole") << "fake" << QStringLiteral("My Wallet/Bücher ünd €.jar")
                                                     << 0 << false << 0;
    QTest::newRow("embedded quotes kept whole") << "fake" << "My \"Wallet\" \"" << 0 << false << 0;
    QTest::newRow("trailing backslash kept whole") << "fake" << "C:\\Wallet\\" << 0 << false << 0;
    QTest::newRow("spaces and a trailing backslash kept whole") << "fake" << "C:\\My Wallet\\" << 0 << false << 0;
    QTest::newRow("java missing") << "missing" << "wallet.jar" << 0 << false << -1;
    QTest::newRow("java path empty") << "empty" << "wallet.jar" << 0 << false << -1;
    QTest::newRow("shell syntax passed literally") << "fake"
        << "w.jar; touch pwned && echo $(touch pwned2) `touch pwned3` %PATH% > out.txt | tee x" << 0 << false << 0;
    // Windows' limit, counted on the line Qt builds: one more character
    // and Windows refuses it, while Wine would cut it short.
    QTest::newRow("command line of 32,767 characters") << "fake" << "%F32767" << 0 << false << 0;
    QTest::newRow("command line of 32,768 characters") << "fake" << "%F32768" << 0 << false << (onWindows ? -1 : 0);
}

void TestLauncher::launchesArchive()
{
    QFETCH(QString, java);
    QFETCH(QString, jarPath);
    QFETCH(int, exitCode);
    QFETCH(bool, crashes);
    QFETCH(int, status);

    Sandbox sandbox;
    const StandIn fakeJava(sandbox.path(QStringLiteral("jdk/bin/java")),
                           {crashes ? QStringLiteral("crash") : QStringLiteral("exit %1").arg(exitCode)});
    const QStringList entriesBefore = sandbox.entries();
    QString javaPath;
    if (java == QLatin1String("fake"))
        javaPath = fakeJava.path();
    else if (java == QLatin1String("missing"))
        javaPath = sandbox.path(QStringLiteral("none/java"));

    // Qt's line: the program, two spaces, "-jar", a space and the archive.
    jarPath = filled(jarPath, programLength(QDir::toNativeSeparators(fakeJava.path())) + 7);
    Launcher launcher;
    launcher.jarPath = jarPath;
    launcher.javaPath = javaPath;
    // launch() tells only whether it failed; runProcess() with the same
    // program and arguments shows the status behind that, so each row runs
    // the stand-in twice.
    QCOMPARE(launcher.launch(), status != 0);
    QCOMPARE(launcher.runProcess(javaPath, {QStringLiteral("-jar"), jarPath}), status);

    const QList<StandIn::Run> runs = fakeJava.runs();
    QCOMPARE(runs.size(), javaPath == fakeJava.path() && (status != -1 || crashes) ? 2 : 0);
    // No shell ever ran the arguments: nothing was written.
    QCOMPARE(sandbox.entries(), entriesBefore);
    for (const StandIn::Run &run : runs) {
        QCOMPARE(run.program, javaPath);
        QCOMPARE(run.arguments, (QStringList{QStringLiteral("-jar"), jarPath}));
    }
}

void TestLauncher::runsInstallerCommand_data()
{
    QTest::addColumn<QString>("command"); // %P is the installer's path, %N the same in native separators
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("arguments"); // empty with no run

    QTest::newRow("quoted program path and a switch") << "\"%P\" /s" << 0 << 0 << QStringList{"/s"};
    QTest::newRow("quoted argument with spaces") << "\"%P\" \"INSTALLDIR=C:/Program Files/Java\" /s" << 0 << 0
                                                 << QStringList{"INSTALLDIR=C:/Program Files/Java", "/s"};
    QTest::newRow("native path and a quoted switch") << "\"%N\" /s \"INSTALLDIR=C:\\Program Files\\Java\\\"" << 0 << 0
                                                     << QStringList{"/s", "INSTALLDIR=C:\\Program Files\\Java\\"};
    QTest::newRow("installer fails") << "\"%P\"" << 5 << 5 << QStringList();
    // Windows' "installed, restart required" and "restart started".
    QTest::newRow("installer exits 3010") << "\"%P\"" << 3010 << (onWindows ? 0 : 3010 % 256) << QStringList();
    QTest::newRow("installer exits 1641") << "\"%P\"" << 1641 << (onWindows ? 0 : 1641 % 256) << QStringList();
    QTest::newRow("empty command") << "" << 0 << -1 << QStringList();
    QTest::newRow("unquoted path with spaces is split") << "%P /s" << 0 << -1 << QStringList();
    QTest::newRow("only spaces") << "   " << 0 << -1 << QStringList();
    QTest::newRow("unbalanced quote") << "\"%P /s" << 0 << -1 << QStringList();
    QTest::newRow("tripled quotes") << "\"\"\"%P\"\"\" /s" << 0 << -1 << QStringList();
    QTest::newRow("shell syntax passed literally") << "\"%P\" ; touch pwned && echo $(touch x) > out.txt" << 0 << 0
        << QStringList{";", "touch", "pwned", "&&", "echo", "$(touch", "x)", ">", "out.txt"};
    QTest::newRow("command line of 32,767 characters") << "\"%P\" %F32767" << 0 << 0 << QStringList{"%F32767"};
    QTest::newRow("command line of 32,768 characters") << "\"%P\" %F32768" << 0 << (onWindows ? -1 : 0)
                                                       << QStringList{"%F32768"};
}

void TestLauncher::runsInstallerCommand()
{
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(int, status);
    QFETCH(QStringList, arguments);

    Sandbox sandbox;
    const StandIn installer(sandbox.path(QStringLiteral("Program Files/Java/setup")),
                            {QStringLiteral("exit %1").arg(exitCode)});
    const QStringList entriesBefore = sandbox.entries();

    Launcher launcher;
    // The installer's line: the program in quotes, a space and the arguments.
    const int lineWithoutFiller = QDir::toNativeSeparators(installer.path()).size() + 3;
    launcher.jreInstaller = filled(command, lineWithoutFiller).replace(QLatin1String("%P"), installer.path())
                                .replace(QLatin1String("%N"), QDir::toNativeSeparators(installer.path()));
    for (QString &argument : arguments)
        argument = filled(argument, lineWithoutFiller);
    // As with launch() above: the flag, then the status behind it.
    QCOMPARE(launcher.installJre(), status != 0);
    QCOMPARE(launcher.runCommand(launcher.jreInstaller), status);

    const QList<StandIn::Run> runs = installer.runs();
    QCOMPARE(runs.size(), status == -1 ? 0 : 2);
    QCOMPARE(sandbox.entries(), entriesBefore);
    for (const StandIn::Run &run : runs) {
        QCOMPARE(run.program, installer.path());
        if (exitCode == 0)
            QCOMPARE(run.arguments, arguments);
    }
}

void TestLauncher::childInheritsWorkingDirectory()
{
    Sandbox sandbox;
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")));

    Launcher launcher;
    launcher.jreInstaller = java.path();
    QVERIFY(!launcher.launchWith(java.path()));
    QVERIFY(!launcher.installJre());

    const QList<StandIn::Run> runs = java.runs();
    QCOMPARE(runs.size(), 2);
    for (const StandIn::Run &run : runs)
        QCOMPARE(run.workingDirectory, QDir::current().canonicalPath());
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
