// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "sandbox.h"
#include "standin.h"
#include "xvfbdisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

#include <sys/stat.h>

// The program as a user starts it, in real windows on a private X server,
// answered with real key presses. By default the program of this build; with
// LAUNCHER_EMULATOR=wine, LAUNCHER_UNDER_TEST=…/launcher.exe and
// STANDIN_UNDER_TEST=…/standin.exe, the Windows build under Wine, which the
// test talks to in Windows paths (Z: is the Linux root).
namespace {

QString environmentOr(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

const QString emulator = environmentOr("LAUNCHER_EMULATOR", QString());
const bool windowsTarget = !emulator.isEmpty();
const QString launcherProgram = environmentOr("LAUNCHER_UNDER_TEST", QStringLiteral(LAUNCHER_EXECUTABLE));

// A Linux path as the launcher under test names it.
QString targetPath(const QString &path)
{
    return windowsTarget ? QStringLiteral("Z:") + path : path;
}

QString nativeTargetPath(const QString &path)
{
    return windowsTarget ? QDir::toNativeSeparators(targetPath(path)) : path;
}

QString jdkHome()
{
    // JAVA_EXECUTABLE is usually a link such as /usr/bin/java; the JDK is two levels above the real file.
    QDir home = QFileInfo(QFileInfo(QStringLiteral(JAVA_EXECUTABLE)).canonicalFilePath()).dir();
    home.cdUp();
    return home.path();
}

// A copy of the program under test in the folder app/ of the sandbox, as a
// download would lie among others.
QString copyOfLauncher(const Sandbox &sandbox)
{
    const QString copy = sandbox.path(QStringLiteral("app/") + QFileInfo(launcherProgram).fileName());
    QDir().mkpath(sandbox.path(QStringLiteral("app")));
    return QFile::copy(launcherProgram, copy) ? copy : QString();
}

// Imports .reg text, as a shipper's or vendor's installer writes the
// registry, and returns the text that deletes each value and key again.
QString importRegistry(const Sandbox &sandbox, const QString &text)
{
    const QString header = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    const QString file = sandbox.path(QStringLiteral("import.reg"));
    // In UTF-16 with its byte-order mark, as regedit writes it: Wine takes
    // UTF-8 for the older format, whose hex(2) values are 8-bit.
    const QString unicode = header + text;
    const QByteArray bytes = QByteArray("\xff\xfe")
        + QByteArray(reinterpret_cast<const char *>(unicode.utf16()), unicode.size() * 2);
    if (!sandbox.write(QStringLiteral("import.reg"), bytes)
        || QProcess::execute(emulator, {QStringLiteral("regedit"), QStringLiteral("/s"), targetPath(file)}) != 0)
        return QString();
    QString undo = header;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1Char('[')))
            undo += line + QStringLiteral("\r\n");
        else if (line.startsWith(QLatin1Char('"')))
            undo += line.section(QLatin1Char('='), 0, 0) + QStringLiteral("=-\r\n");
    }
    return undo;
}

// Whether a process runs whose command line names the file; under Wine
// the command line is the Windows one.
bool runningWith(const QString &file)
{
    const QByteArray name = nativeTargetPath(file).toLocal8Bit();
    for (const QString &process : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(process));
        if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains(name))
            return true;
    }
    return false;
}

// The sample wallet package of that version, built by tests/wallet-packages.sh.
QString walletPackage(const QString &version)
{
    return qEnvironmentVariable("WALLET_PACKAGES_UNDER_TEST") + QStringLiteral("/RarudorWallet-%1.msi").arg(version);
}

// Where the sample package installs, in Wine's prefix, and the java of the
// runtime it ships: a stand-in.
QString installFolder()
{
    return qEnvironmentVariable("WINEPREFIX") + QStringLiteral("/drive_c/Program Files/Rarudor Wallet");
}

const QString shippedJava = installFolder() + QStringLiteral("/jre/bin/java.exe");

// Opens the link or file as a user does, from the folder, through Windows'
// own registration, and returns the runs of the shipped java.
QList<StandIn::Run> openThroughRegistration(const QProcessEnvironment &environment, const QString &folder,
                                            const QString &target)
{
    QProcess opener;
    opener.setProcessEnvironment(environment);
    opener.setWorkingDirectory(folder);
    opener.start(emulator, {QStringLiteral("start"), QStringLiteral("/wait"), target});
    opener.waitForFinished(60000);
    QElapsedTimer clock;
    clock.start();
    while (StandIn::runsOf(shippedJava).isEmpty() && clock.elapsed() < 30000)
        QTest::qWait(200);
    return StandIn::runsOf(shippedJava);
}

// What the stand-in java left beside itself, which no package installed.
void removeTraces()
{
    for (const QString &suffix : {QStringLiteral(".do"), QStringLiteral(".record"), QStringLiteral(".opened")})
        QFile::remove(shippedJava + suffix);
}

QByteArray data24MiB()
{
    QByteArray data(24 * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((quint32(i) * 7919u) >> 3);
    return data;
}

} // namespace

class TestLauncherExecutable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsRealArchive_data();
    void runsRealArchive();
    void runsJavaItFinds_data();
    void runsJavaItFinds();
    void ignoresSettingsBesideItself();
    void opensRegisteredLinks_data();
    void opensRegisteredLinks();
    void upgradesTheWalletPackage();
    void worksInItsOwnFolder_data();
    void worksInItsOwnFolder();
    void readsSpecialSettingsFileAsNone_data();
    void readsSpecialSettingsFileAsNone();
    void resolvesWithoutJava_data();
    void resolvesWithoutJava();
    void picksJavaByHand_data();
    void picksJavaByHand();
    void findsInstalledJava_data();
    void findsInstalledJava();
    void launchesAfterInstall_data();
    void launchesAfterInstall();
    void installsProvidedPackage_data();
    void installsProvidedPackage();
    void runsInstallerOfTheWorkingFolder_data();
    void runsInstallerOfTheWorkingFolder();
    void runsOnlyJavaOnTheSearchPath_data();
    void runsOnlyJavaOnTheSearchPath();
    void loadsNoPlantedDll_data();
    void loadsNoPlantedDll();
    void speaksTheUserLanguage_data();
    void speaksTheUserLanguage();
    void outlastsHostileChildren_data();
    void outlastsHostileChildren();
    void keepsALog_data();
    void keepsALog();
    void handsOverToTheRunningWallet_data();
    void handsOverToTheRunningWallet();

private:
    QProcessEnvironment userEnvironment() const;
    void start(QProcess &launcher, const QString &program, const QProcessEnvironment &environment,
               const QStringList &arguments = {}) const;
    void finish(QProcess &launcher) const;
    void dismissErrorBox(const QString &key) const;
    void runExpecting(QProcess &launcher, const QProcessEnvironment &environment, int status,
                      const QStringList &arguments = {}, const QString &program = launcherProgram) const;
    void answerDialog(QProcess &launcher, const QString &program, const QProcessEnvironment &environment,
                      const QStringList &keys, int status, bool errorBox = false) const;
    void runToEnd(const QString &program, const QProcessEnvironment &environment, bool javaFound) const;

    XvfbDisplay m_display;
};

void TestLauncherExecutable::initTestCase()
{
    QVERIFY2(m_display.start(), "Xvfb did not start");
    if (windowsTarget)
        StandIn::useProgram(qEnvironmentVariable("STANDIN_UNDER_TEST"), QStringLiteral(".exe"));
}

// No Java anywhere: no JAVA_HOME, and a search path without java (Wine
// builds its search path from WINEPATH and its own system folders).
QProcessEnvironment TestLauncherExecutable::userEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("JAVA_HOME"));
    environment.remove(QStringLiteral("WINEPATH"));
    environment.insert(QStringLiteral("DISPLAY"), m_display.name());
    if (!windowsTarget)
        environment.insert(QStringLiteral("PATH"), QDir::current().filePath(QStringLiteral("empty")));
    return environment;
}

void TestLauncherExecutable::start(QProcess &launcher, const QString &program,
                                   const QProcessEnvironment &environment, const QStringList &arguments) const
{
    launcher.setProcessEnvironment(environment);
    launcher.setWorkingDirectory(QDir::currentPath());
    if (windowsTarget)
        launcher.start(emulator, QStringList{program} + arguments);
    else
        launcher.start(program, arguments);
    QVERIFY(launcher.waitForStarted());
}

void TestLauncherExecutable::finish(QProcess &launcher) const
{
    if (!launcher.waitForFinished(60000)) {
        launcher.kill();
        launcher.waitForFinished();
        QFAIL("the launcher did not end");
    }
    QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
}

void TestLauncherExecutable::dismissErrorBox(const QString &key) const
{
    const QString box = m_display.waitForWindow(QStringLiteral("^Error$"));
    QVERIFY2(!box.isEmpty(), "no error message appeared");
    QVERIFY(m_display.pressKeys(box, {key}));
}

// Runs the launcher to its end, answering the error box that a failure brings up.
void TestLauncherExecutable::runExpecting(QProcess &launcher, const QProcessEnvironment &environment, int status,
                                          const QStringList &arguments, const QString &program) const
{
    start(launcher, program, environment, arguments);
    if (status != 0)
        dismissErrorBox(QStringLiteral("Return"));
    finish(launcher);
    QCOMPARE(launcher.exitCode(), status);
}

// Runs the launcher to its end through the dialog, answered with keys.
void TestLauncherExecutable::answerDialog(QProcess &launcher, const QString &program,
                                          const QProcessEnvironment &environment, const QStringList &keys,
                                          int status, bool errorBox) const
{
    start(launcher, program, environment);
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet \\(JRE installer\\)$"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    QVERIFY(m_display.pressKeys(dialog, keys));
    if (errorBox)
        dismissErrorBox(QStringLiteral("space"));
    finish(launcher);
    QCOMPARE(launcher.exitCode(), status);
}

// Runs the program to its end: straight through to status 0 when it finds
// Java, else through the dialog, quit with Escape, to status 1.
void TestLauncherExecutable::runToEnd(const QString &program, const QProcessEnvironment &environment,
                                      bool javaFound) const
{
    QProcess launcher;
    if (!javaFound) {
        answerDialog(launcher, program, environment, {QStringLiteral("Escape")}, 1);
        return;
    }
    start(launcher, program, environment);
    finish(launcher);
    QCOMPARE(launcher.exitCode(), 0);
}

void TestLauncherExecutable::runsRealArchive_data()
{
    QTest::addColumn<QString>("foundThrough"); // "JAVA_HOME", "PATH", or "/usr/lib/jvm" alone
    QTest::addColumn<QString>("applicationExitCode");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("settings"); // after jar=
    QTest::addColumn<QStringList>("arguments"); // the launcher's
    QTest::addColumn<QStringList>("shown"); // lines the application writes besides its greeting

    QTest::newRow("JAVA_HOME, application exits 0") << "JAVA_HOME" << "0" << 0 << QByteArray() << QStringList() << QStringList();
    QTest::newRow("search path, application exits 0") << "PATH" << "0" << 0 << QByteArray() << QStringList()
                                                      << QStringList();
    QTest::newRow("JAVA_HOME, application exits 3") << "JAVA_HOME" << "3" << 1 << QByteArray() << QStringList() << QStringList();
    const QStringList arguments{"rarudor:pay?amount=1&memo=a b", "say \"hi\"", "C:\\Wallet\\", "", QStringLiteral("Geldbörse €")};
    QStringList shown;
    for (const QString &argument : arguments)
        shown << QStringLiteral("argument: [%1]").arg(argument);
    shown << QStringLiteral("wallet.demo.greeting: [grüß dich]");
    QTest::newRow("options and forwarded arguments") << "JAVA_HOME" << "0" << 0
        << QByteArray("options=\"\\\"-Dwallet.demo.greeting=gr\xC3\xBC\xC3\x9F dich\\\" -Xmx64m\"\narguments=forward\n")
        << arguments << shown;
    // Java 17 at least, told by its release file, then by its answer to the probe.
    QTest::newRow("JAVA_HOME, minjava 17") << "JAVA_HOME" << "0" << 0 << QByteArray("minjava=17\n") << QStringList()
                                           << QStringList();
    QTest::newRow("search path, minjava 17") << "PATH" << "0" << 0 << QByteArray("minjava=17\n") << QStringList()
                                             << QStringList();
    // The machine's own JDK, neither on the search path nor in JAVA_HOME.
    QTest::newRow("installed, minjava 17") << "/usr/lib/jvm" << "0" << 0
                                           << QByteArray("discover=installed\nminjava=17\n") << QStringList() << QStringList();
}

void TestLauncherExecutable::runsRealArchive()
{
    QFETCH(QString, foundThrough);
    QFETCH(QString, applicationExitCode);
    QFETCH(int, status);
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, shown);
    if (QByteArray(DEMO_JAR).isEmpty())
        QSKIP("no JDK was found when the build was configured, so there is no demo archive");
    if (windowsTarget)
        QSKIP("Debian ships no Java runtime for Windows; runsJavaItFinds covers this with the stand-in");

    Sandbox sandbox;
    QVERIFY(QFile::copy(QStringLiteral(DEMO_JAR), sandbox.path(QStringLiteral("wallet.jar"))));
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "[General]\njar=wallet.jar\n" + settings));
    const QStringList entriesBefore = sandbox.entries();

    QProcessEnvironment environment = userEnvironment();
    // Java takes its arguments and writes its output in the locale's encoding.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    if (foundThrough == QLatin1String("JAVA_HOME"))
        environment.insert(QStringLiteral("JAVA_HOME"), jdkHome()); // without a trailing separator
    else if (foundThrough == QLatin1String("PATH"))
        environment.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(JAVA_EXECUTABLE)).path());
    environment.insert(QStringLiteral("WALLET_DEMO_EXIT"), applicationExitCode);

    QProcess launcher;
    runExpecting(launcher, environment, status, arguments);
    const QString out = QString::fromUtf8(launcher.readAllStandardOutput());
    const QString err = QString::fromUtf8(launcher.readAllStandardError());
    QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(!lines.isEmpty() && lines.takeFirst().startsWith(QStringLiteral("Rarudor Wallet demo is running on Java")),
             qPrintable(out));
    QCOMPARE(lines, shown);
    QVERIFY2(err.contains(QStringLiteral("Rarudor Wallet demo: this line went to standard error.")), qPrintable(err));
    QCOMPARE(err.contains(QStringLiteral("version")), foundThrough == QLatin1String("PATH")); // the probe's own answer
    QCOMPARE(sandbox.entries(), entriesBefore);
}

void TestLauncherExecutable::runsJavaItFinds_data()
{
    QTest::addColumn<QString>("javaHome"); // %T is the scratch folder, in the target's native form
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QStringList>("runs"); // the stand-in's arguments, "|" between them, a run each
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("settings"); // after jar=
    QTest::addColumn<QStringList>("arguments"); // the launcher's

    const QString archive = QStringLiteral("-jar|Bücher & \"Wallet\".jar");
    QTest::newRow("JAVA_HOME without separator") << "%T/jdk" << "exit 0" << QStringList{archive} << 0 << QByteArray()
                                                 << QStringList();
    QTest::newRow("JAVA_HOME with separator") << "%T/jdk/" << "exit 0" << QStringList{archive} << 0 << QByteArray()
                                              << QStringList();
    QTest::newRow("search path") << "" << "exit 0" << QStringList{"-version", archive} << 0 << QByteArray()
                                 << QStringList();
    QTest::newRow("application exits 3") << "%T/jdk" << "exit 3" << QStringList{archive} << 1 << QByteArray()
                                         << QStringList();
    QTest::newRow("application crashes") << "%T/jdk" << "crash" << QStringList{archive} << 1 << QByteArray()
                                         << QStringList();
    // Had the protector let it return, the run would end with 0.
    QTest::newRow("application overruns a guarded buffer") << "%T/jdk" << "overrun" << QStringList{archive} << 1
                                                            << QByteArray() << QStringList();
    // Had its input stayed open, the probe or the application would wait for ever.
    QTest::newRow("search path, java reads its input to the end") << "" << "read-input"
        << QStringList{"-version", archive} << 0 << QByteArray() << QStringList();
    // Through the command line twice: into the launcher, and from it to java.
    const QStringList arguments{"rarudor:pay?amount=1&memo=a b", "say \"hi\"", "C:\\Wallet\\", "C:\\My Wallet\\", "",
                                QStringLiteral("Geldbörse €")};
    QTest::newRow("options and forwarded arguments") << "%T/jdk" << "exit 0"
        << QStringList{"-Dwallet.greeting=a b c\\|-Xmx64m|" + archive + "|" + arguments.join(QLatin1Char('|'))} << 0
        << QByteArray("options=\"\\\"-Dwallet.greeting=a b c\\\\\\\" -Xmx64m\"\narguments=forward\n") << arguments;
    QTest::newRow("option with an unbalanced quote") << "%T/jdk" << "exit 0" << QStringList{"-Dx=a b|" + archive} << 0
                                                     << QByteArray("options=\"\\\"-Dx=a b\"\n") << QStringList();
    // Too long for any command line: the launch fails and says so.
    QTest::newRow("200 KB of options") << "%T/jdk" << "exit 0" << QStringList() << 1
                                       << "options=-Dbig=" + QByteArray(200 * 1024, 'x') + "\n" << QStringList();
}

void TestLauncherExecutable::runsJavaItFinds()
{
    QFETCH(QString, javaHome);
    QFETCH(QString, instruction);
    QFETCH(int, status);
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, arguments);

    Sandbox sandbox;
    const QString folder = javaHome.isEmpty() ? QStringLiteral("search") : QStringLiteral("jdk/bin");
    const StandIn java(sandbox.path(folder + QStringLiteral("/java")), {instruction});
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "jar=\"Bücher & \\\"Wallet\\\".jar\"\n" + settings));
    const QStringList entriesBefore = sandbox.entries();

    QProcessEnvironment environment = userEnvironment();
    if (javaHome.isEmpty()) {
        environment.insert(windowsTarget ? QStringLiteral("WINEPATH") : QStringLiteral("PATH"),
                           nativeTargetPath(sandbox.path(QStringLiteral("search"))));
    } else {
        environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(javaHome.replace(QLatin1String("%T"), sandbox.path())));
    }
    QProcess launcher;
    runExpecting(launcher, environment, status, arguments);
    QStringList runs;
    for (const StandIn::Run &run : java.runs()) {
        runs << run.arguments.join(QLatin1Char('|'));
        QCOMPARE(run.workingDirectory, QDir::fromNativeSeparators(targetPath(QDir::current().canonicalPath())));
    }
    QTEST(runs, "runs");
    QCOMPARE(sandbox.entries(), entriesBefore);
}

void TestLauncherExecutable::ignoresSettingsBesideItself()
{
    Sandbox sandbox;
    const QString copy = copyOfLauncher(sandbox);
    QVERIFY(!copy.isEmpty());
    QVERIFY(sandbox.write(QStringLiteral("app/launcher.ini"), "jar=wallet.jar\n"));
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")));
    QDir().mkpath(sandbox.path(QStringLiteral("elsewhere")));
    QDir::setCurrent(sandbox.path(QStringLiteral("elsewhere")));

    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(QStringLiteral("jdk/"))));
    QProcess launcher;
    start(launcher, copy, environment);
    finish(launcher);

    QCOMPARE(launcher.exitCode(), 0);
    const QList<StandIn::Run> runs = java.runs();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("-jar"), QString()}));
}

void TestLauncherExecutable::opensRegisteredLinks_data()
{
    QTest::addColumn<QString>("target"); // what the user opens; %T is the scratch folder, native
    QTest::addColumn<bool>("isFile"); // which the wallet, reading as Java does, can open
    QTest::addColumn<bool>("shortName"); // reaches the wallet by its short name

    QTest::newRow("payment link") << "rarudor:pay?amount=1&memo=coffee%20beans" << false << false;
    QTest::newRow("wallet file") << "%T\\Downloads\\payment.rarudorwallet" << true << false;
    // Pasted into the registered command line as they are: one argument all the same.
    QTest::newRow("link with quotes around a switch") << "rarudor:pay?to=x\" --datadir \"C:\\evil" << false << false;
    QTest::newRow("link ending in a backslash") << "rarudor:pay?memo=a\\" << false << false;
    // The ANSI code page of Wine's C.UTF-8 locale is 1252, which lacks Cyrillic.
    QTest::newRow("wallet file in a Cyrillic folder") << "%T\\Пользователь\\payment.rarudorwallet" << true << true;
}

// The sample package of examples/, installed by the Windows Installer, and
// a link or file opened through Windows' own registration, with the
// launcher.ini of the folder it was opened from left unread.
void TestLauncherExecutable::opensRegisteredLinks()
{
    QFETCH(QString, target);
    QFETCH(bool, isFile);
    QFETCH(bool, shortName);
    if (!windowsTarget)
        QSKIP("the sample package is built for Windows");
    const QString package = walletPackage(QStringLiteral("1.0.0"));

    Sandbox sandbox;
    QVERIFY(sandbox.write(QStringLiteral("Downloads/payment.rarudorwallet"), "{}"));
    QVERIFY(sandbox.write(QStringLiteral("Пользователь/payment.rarudorwallet"), "{}"));
    QVERIFY(sandbox.write(QStringLiteral("Downloads/launcher.ini"), "jar=planted.jar\noptions=-Dplanted=1\n"));
    target.replace(QLatin1String("%T"), targetPath(sandbox.path()).replace(QLatin1Char('/'), QLatin1Char('\\')));
    QCOMPARE(QProcess::execute(emulator, {"msiexec", "/i", targetPath(package), "/qn"}), 0);
    // The runtime the package ships runs the wallet.
    QFile instructions(shippedJava + QStringLiteral(".do"));
    QVERIFY(instructions.open(QIODevice::WriteOnly) && instructions.write("open-arguments\n") > 0);
    instructions.close();

    const QList<StandIn::Run> runs = openThroughRegistration(userEnvironment(), sandbox.path(QStringLiteral("Downloads")), target);
    QFile opened(shippedJava + QStringLiteral(".opened"));
    QVERIFY(opened.open(QIODevice::ReadOnly));
    const QByteArray openedLines = opened.readAll();
    opened.close();
    removeTraces();
    QCOMPARE(QProcess::execute(emulator, {"msiexec", "/x", targetPath(package), "/qn"}), 0);

    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments.mid(0, 2), (QStringList{QStringLiteral("-jar"), QStringLiteral("RarudorWallet.jar")}));
    QCOMPARE(runs.first().arguments.size(), 3);
    QCOMPARE(runs.first().arguments.last() != target, shortName);
    QCOMPARE(runs.first().workingDirectory, QStringLiteral("C:/Program Files/Rarudor Wallet"));
    QCOMPARE(openedLines.split('\n').value(2), isFile ? QByteArray("opened") : QByteArray("not opened"));
    // Uninstalled: the program and its registration are gone.
    QVERIFY(!QFile::exists(installFolder()));
    QVERIFY(QProcess::execute(emulator, {"reg", "query", "HKCR\\rarudor"}) != 0);
}

// The sample package as a user gets it: installed, a link opened, version 2
// installed over it, removed.
void TestLauncherExecutable::upgradesTheWalletPackage()
{
    if (!windowsTarget)
        QSKIP("the sample package is built for Windows");
    Sandbox sandbox;
    const auto entries = [] {
        QProcess query;
        query.start(emulator, {"reg", "query", "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "/s"});
        query.waitForFinished(60000);
        return QString::fromLocal8Bit(query.readAllStandardOutput())
            .count(QRegularExpression(QStringLiteral("DisplayName\\s+REG_SZ\\s+Rarudor Wallet\\s*$"),
                                      QRegularExpression::MultilineOption));
    };

    QCOMPARE(QProcess::execute(emulator, {"msiexec", "/i", targetPath(walletPackage("1.0.0")), "/qn"}), 0);
    const QList<StandIn::Run> runs = openThroughRegistration(userEnvironment(), sandbox.path(), QStringLiteral("rarudor:pay?amount=1"));
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, (QStringList{"-jar", "RarudorWallet.jar", "rarudor:pay?amount=1"}));
    removeTraces();

    QCOMPARE(QProcess::execute(emulator, {"msiexec", "/i", targetPath(walletPackage("2.0.0")), "/qn"}), 0);
    QCOMPARE(entries(), 1);
    for (const char *file : {"LICENSE.txt", "LICENSE-Qt-LGPL-3.txt", "LICENSE-GPL-3.txt", "THIRD-PARTY-NOTICES.txt",
                             "SHIPPING.txt", "launcher_de.qm", "launcher.exe", "jre/bin/java.exe"})
        QVERIFY2(QFile::exists(installFolder() + QLatin1Char('/') + QLatin1String(file)), file);
    QCOMPARE(QProcess::execute(emulator, {"reg", "query", "HKCR\\rarudor\\DefaultIcon"}), 0);
    // An older version does not go over a newer one.
    QVERIFY(QProcess::execute(emulator, {"msiexec", "/i", targetPath(walletPackage("1.0.0")), "/qn"}) != 0);
    QCOMPARE(entries(), 1);

    QCOMPARE(QProcess::execute(emulator, {"msiexec", "/x", targetPath(walletPackage("2.0.0")), "/qn"}), 0);
    QCOMPARE(entries(), 0);
    QVERIFY(!QFileInfo::exists(installFolder()));
    QVERIFY(QProcess::execute(emulator, {"reg", "query", "HKCR\\rarudor"}) != 0);
    QVERIFY(QProcess::execute(emulator, {"reg", "query", "HKCR\\.rarudorwallet"}) != 0);
}

void TestLauncherExecutable::worksInItsOwnFolder_data()
{
    QTest::addColumn<QStringList>("arguments"); // the launcher's
    QTest::addColumn<QString>("folder"); // whose settings, runtime and translation count: "app", "work" or "removed"
    QTest::addColumn<bool>("javaThere"); // the bundled runtime of that folder
    QTest::addColumn<QString>("run"); // the java's arguments, "|" between them; empty: no run
    QTest::addColumn<int>("status");

    QTest::newRow("link opened from another folder") << QStringList{"--own-folder", "rarudor:pay?amount=1&memo=a b"}
                                                     << "app" << true << "-jar|app.jar|rarudor:pay?amount=1&memo=a b" << 0;
    QTest::newRow("switch not first") << QStringList{"rarudor:pay", "--own-folder"} << "work" << true
                                      << "-jar|work.jar|rarudor:pay|--own-folder" << 0;
    // On Windows the rest of the command line is one argument, as a registration pastes a link.
    QTest::newRow("Qt options after the switch reach the wallet")
        << QStringList{"--own-folder", "-platform", "none", "-style=x", "-platformpluginpath", "."} << "app" << true
        << (windowsTarget ? "-jar|app.jar|-platform none -style=x -platformpluginpath ." : "-jar|app.jar|-platform|none|-style=x|-platformpluginpath|.")
        << 0;
    QTest::newRow("no Java: the dialog in its folder's language") << QStringList{"--own-folder"} << "app" << false
                                                                  << "" << 1;
    QTest::newRow("its folder cannot be entered") << QStringList{"--own-folder", "rarudor:pay"} << "removed" << false
                                                  << "" << 1;
}

// As a link or a file type registered with the switch starts it: in the
// folder the link was opened from, whose settings must not count.
void TestLauncherExecutable::worksInItsOwnFolder()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QFETCH(bool, javaThere);
    QFETCH(QString, run);
    QFETCH(int, status);

    if (folder == QLatin1String("removed") && windowsTarget)
        QSKIP("Wine, as root, enters any folder that exists; tst_platform has Windows' refusal");

    Sandbox sandbox;
    // A per-user installation's folder, with a space and non-ASCII letters;
    // for the German dialog without them: Wine names files in the locale's
    // character set, and the machine has no German locale.
    const bool dialog = !javaThere && folder != QLatin1String("removed");
    const QMap<QString, QString> folders{
        {"app", dialog ? QStringLiteral("Programs/Rarudor Wallet") : QStringLiteral("Пользователь/Programs/Rarudor Wallet")},
        {"work", "work"}};
    const QString app = folders.value("app");
    QDir().mkpath(sandbox.path(app));
    const QString copy = sandbox.path(app + QLatin1Char('/') + QFileInfo(launcherProgram).fileName());
    QVERIFY(QFile::copy(launcherProgram, copy));
    QVERIFY(QFile::copy(QStringLiteral(TRANSLATIONS_DIR "/launcher_de.qm"), sandbox.path(app + "/launcher_de.qm")));
    std::vector<std::pair<QString, StandIn>> javas;
    for (auto name = folders.cbegin(); name != folders.cend(); ++name) {
        QVERIFY(sandbox.write(*name + QStringLiteral("/launcher.ini"),
                              "jar=" + name.key().toUtf8() + ".jar\narguments=forward\nruntime=jre\n"));
        if (javaThere)
            javas.emplace_back(name.key(), StandIn(sandbox.path(*name + QStringLiteral("/jre/bin/java"))));
    }
    QDir::setCurrent(sandbox.path(QStringLiteral("work")));
    QProcessEnvironment environment = userEnvironment();
    if (dialog)
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    QString program = copy;
    QFile opened(copy);
    if (folder == QLatin1String("removed")) {
        // Started through an open handle after its file and folder are gone.
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QVERIFY(QDir(sandbox.path(app)).removeRecursively());
        program = QStringLiteral("/proc/self/fd/%1").arg(opened.handle());
    }

    QProcess launcher;
    if (dialog) {
        start(launcher, program, environment, arguments);
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(TRANSLATIONS_DIR "/launcher_de.qm")));
        const QString window = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet"));
        QVERIFY2(!window.isEmpty(), "the dialog did not appear");
        QCOMPARE(m_display.xdotool({QStringLiteral("getwindowname"), window}).value_or(QString()),
                 german.translate("ResolveDialog", "Rarudor Wallet (JRE installer)"));
        QVERIFY(m_display.pressKeys(window, {QStringLiteral("Escape")}));
        finish(launcher);
        QCOMPARE(launcher.exitCode(), status);
    } else {
        runExpecting(launcher, environment, status, arguments, program);
    }
    for (const auto &[name, java] : javas) {
        const QList<StandIn::Run> runs = java.runs();
        QCOMPARE(runs.size(), name == folder ? 1 : 0);
        if (name == folder) {
            QCOMPARE(runs.first().arguments.join(QLatin1Char('|')), run);
            QCOMPARE(runs.first().workingDirectory, targetPath(sandbox.path(folders.value(name))));
        }
    }
    if (folder == QLatin1String("removed")) {
        const QString error = QString::fromUtf8(launcher.readAllStandardError());
        QVERIFY2(error.contains(QStringLiteral("launcher: cannot work in %1: No such file or directory").arg(sandbox.path(app))),
                 qPrintable(error));
    }
}

void TestLauncherExecutable::readsSpecialSettingsFileAsNone_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("link to /dev/zero") << "device";
}

void TestLauncherExecutable::readsSpecialSettingsFileAsNone()
{
    QFETCH(QString, kind);
    if (windowsTarget)
        QSKIP("named pipes and devices are not files on Windows");

    Sandbox sandbox;
    const QByteArray settings = QFile::encodeName(sandbox.path(QStringLiteral("launcher.ini")));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(mkfifo(settings.constData(), 0600), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), sandbox.path(QStringLiteral("launcher.ini"))));
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")));

    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("JAVA_HOME"), sandbox.path(QStringLiteral("jdk")));
    QProcess launcher;
    start(launcher, launcherProgram, environment);
    finish(launcher);

    QCOMPARE(launcher.exitCode(), 0);
    const QList<StandIn::Run> runs = java.runs();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("-jar"), QString()}));
}

void TestLauncherExecutable::resolvesWithoutJava_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("instruction"); // the installer's last
    QTest::addColumn<bool>("installerRuns");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("program"); // the installer's build; empty: the plain stand-in
    // The Java there is, which is of no use: empty for none; else the folder
    // of a Java 8 under JAVA_HOME (with minjava=17), or "silent" for a java
    // on the search path that never answers "-version", or "wrapper" for one
    // whose own child never answers.
    QTest::addColumn<QString>("java");

    QTest::newRow("Escape") << QStringList{"Escape"} << "exit 0" << false << 1 << "" << "";
    QTest::newRow("Alt+Q") << QStringList{"alt+q"} << "exit 0" << false << 1 << "" << "";
    QTest::newRow("Return") << QStringList{"Return"} << "exit 0" << true << 0 << "" << "";
    QTest::newRow("Alt+O") << QStringList{"alt+o"} << "exit 0" << true << 0 << "" << "";
    QTest::newRow("installer fails") << QStringList{"Return"} << "exit 4" << true << 1 << "" << "";
    QTest::newRow("installer reads its input to the end") << QStringList{"Return"} << "read-input" << true << 0 << "" << "";
    QTest::newRow("only a Java too old") << QStringList{"Return"} << "exit 0" << true << 0 << "" << "jdk";
    QTest::newRow("only a Java too old, in a folder named %1") << QStringList{"Return"} << "exit 0" << true << 0 << ""
                                                               << "a%1b";
    QTest::newRow("only a java that never answers") << QStringList{"Return"} << "exit 0" << true << 0 << ""
                                                    << "silent";
    QTest::newRow("only a wrapper java whose child never answers") << QStringList{"Return"} << "exit 0" << true << 0
                                                                   << "" << "wrapper";
    if (windowsTarget) {
        // Wine runs every program as an administrator, so this one starts without the consent prompt.
        QTest::newRow("installer requires administrator rights") << QStringList{"Return"} << "exit 0" << true << 0
                                                                 << qEnvironmentVariable("ADMIN_STANDIN_UNDER_TEST") << "";
        QTest::newRow("installer announces a new PATH to every window") << QStringList{"Return"} << "broadcast"
                                                                        << true << 0 << "" << "";
        QTest::newRow("installed, restart required") << QStringList{"Return"} << "exit 3010" << true << 0 << "" << "";
        QTest::newRow("installed, restart started") << QStringList{"Return"} << "exit 1641" << true << 0 << "" << "";
    }
}

void TestLauncherExecutable::resolvesWithoutJava()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, instruction);
    QFETCH(bool, installerRuns);
    QFETCH(int, status);
    QFETCH(QString, program);
    QFETCH(QString, java);

    Sandbox sandbox;
    const bool wrapper = java == QLatin1String("wrapper");
    const bool silent = java == QLatin1String("silent") || wrapper;
    const bool oldJava = !java.isEmpty() && !silent;
    const QString home = oldJava ? java : QStringLiteral("jdk");
    const StandIn javaUnderHome(sandbox.path(home + QStringLiteral("/bin/java")));
    QVERIFY(sandbox.write(home + QStringLiteral("/release"), "JAVA_VERSION=\"1.8.0_381\"\n"));
    QVERIFY(sandbox.write(QStringLiteral("jvm"), "sleep 120000\n"));
    const QString jvm = "grandchild " + nativeTargetPath(sandbox.path(QStringLiteral("jvm")));
    const StandIn silentJava(sandbox.path(QStringLiteral("tools/java")),
                             wrapper ? QStringList{jvm, QStringLiteral("sleep 120000")} : QStringList{"sleep 120000"});
    // While it runs, the installer looks for any visible launcher window.
    const StandIn installer(sandbox.path(QStringLiteral("Java Setup/setup")),
                            {QStringLiteral("windows Rarudor|Error"), instruction},
                            program);
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"),
                          "jar=wallet.jar\njre=\"\\\"" + targetPath(installer.path()).toUtf8()
                              + "\\\" /quiet ADDLOCAL=a,b\"\n" + (oldJava ? "minjava=17\n" : "")));
    QProcessEnvironment environment = userEnvironment();
    if (oldJava)
        environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(home)));
    if (silent && windowsTarget)
        environment.insert(QStringLiteral("WINEPATH"), nativeTargetPath(sandbox.path(QStringLiteral("tools"))));
    if (!windowsTarget) {
        // The Linux stand-in lists windows with xdotool; java stays out of
        // reach, unless it is the silent one.
        if (!silent)
            QVERIFY(QFile::remove(silentJava.path()));
        QVERIFY(QFile::link(QStandardPaths::findExecutable(QStringLiteral("xdotool")),
                            sandbox.path(QStringLiteral("tools/xdotool"))));
        environment.insert(QStringLiteral("PATH"), sandbox.path(QStringLiteral("tools")));
    }

    const QStringList entriesBefore = sandbox.entries();

    QProcess launcher;
    start(launcher, launcherProgram, environment);
    // The silent java has 30 seconds to answer first.
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet \\(JRE installer\\)$"), 90000);
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    // Wine's fonts make the contents, and so the window, a little taller.
    const QStringList size = m_display.windowSize(dialog).split(QLatin1Char('x'));
    QCOMPARE(size.value(0), QStringLiteral("1500"));
    QVERIFY(windowsTarget ? size.value(1).toInt() >= 400 : size.value(1) == QLatin1String("400"));
    QVERIFY(m_display.pressKeys(dialog, keys));
    if (status != 0 && installerRuns)
        dismissErrorBox(QStringLiteral("space"));
    finish(launcher);

    QCOMPARE(launcher.exitCode(), status);
    const QList<StandIn::Run> runs = installer.runs();
    QCOMPARE(runs.size(), installerRuns ? 1 : 0);
    if (installerRuns) {
        QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("/quiet"), QStringLiteral("ADDLOCAL=a,b")}));
        QCOMPARE(installer.windowsFound(), QByteArray());
    }
    QCOMPARE(javaUnderHome.runs().size(), 0);
    QCOMPARE(silentJava.runs().size(), silent ? 1 : 0);
    const QString error = QString::fromLocal8Bit(launcher.readAllStandardError());
    if (oldJava) {
        // In the system's own separators, as the manual shows it.
        const QString java = targetPath(javaUnderHome.path()).replace(QLatin1Char('/'), windowsTarget ? '\\' : '/');
        const QString passedOver = QStringLiteral("launcher: passed over %1, which reports version \"1.8.0_381\"; "
                                                  "Java 17 or later is needed\n").arg(java);
        QVERIFY2(error.contains(passedOver), qPrintable(error));
    }
    QCOMPARE(error.contains(QStringLiteral("which did not answer \"-version\" within 30 seconds")), silent);
    QCOMPARE(sandbox.entries(), entriesBefore);
    if (wrapper)
        QVERIFY2(!runningWith(sandbox.path(QStringLiteral("jvm"))), "the wrapper's child outlived it");
}

void TestLauncherExecutable::picksJavaByHand_data()
{
    QTest::addColumn<bool>("picked");
    QTest::addColumn<QString>("instruction"); // for the java picked

    QTest::newRow("path typed into the picker") << true << "exit 0";
    QTest::newRow("picker cancelled") << false << "exit 0";
    // The dialog and the picker were shown: their windows must not hang it.
    if (windowsTarget)
        QTest::newRow("java picked announces a new PATH to every window") << true << "broadcast";
}

// Through the system's own file picker on Windows, Qt's elsewhere.
void TestLauncherExecutable::picksJavaByHand()
{
    QFETCH(bool, picked);
    QFETCH(QString, instruction);

    Sandbox sandbox;
    const StandIn java(sandbox.path(QStringLiteral("picked/java")), {instruction});
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "jar=wallet.jar\njre=setup\n"));
    QProcess launcher;
    start(launcher, launcherProgram, userEnvironment());
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet \\(JRE installer\\)$"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    QVERIFY(m_display.pressKeys(dialog, {QStringLiteral("Down"), QStringLiteral("Return")}));
    const QString picker = m_display.waitForWindow(QStringLiteral("^Please select the 'java' executable program\\.$"));
    QVERIFY2(!picker.isEmpty(), "the file picker did not appear");
    QTest::qWait(1500); // Wine's picker takes keys once it has filled its views
    if (picked) {
        // As a Windows user types it: Wine's picker takes no forward slashes.
        QVERIFY(m_display.typeText(picker, windowsTarget ? targetPath(java.path()).replace(QLatin1Char('/'), QLatin1Char('\\'))
                                                         : java.path()));
        QVERIFY(m_display.pressKeys(picker, {QStringLiteral("Return")}));
    } else {
        QVERIFY(m_display.pressKeys(picker, {QStringLiteral("Escape")}));
        dismissErrorBox(QStringLiteral("Return"));
    }
    finish(launcher);

    QCOMPARE(launcher.exitCode(), picked ? 0 : 1);
    const QList<StandIn::Run> runs = java.runs();
    QCOMPARE(runs.size(), picked ? 1 : 0);
    if (picked)
        QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("-jar"), QStringLiteral("wallet.jar")}));
}

void TestLauncherExecutable::findsInstalledJava_data()
{
    // "NAME RELEASE" under homes/; "NAME folder": its java.exe is a folder;
    // "NAME fails": no release file, and its "-version" fails.
    QTest::addColumn<QStringList>("homes");
    QTest::addColumn<QString>("registry"); // .reg sections; %H(NAME) names a home
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("chosen"); // the home whose java runs; empty: the dialog, quit

    const QString vendors = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\17]\r\n\"JavaHome\"=\"%H(a)\"\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI]\r\n\"Path\"=\"%H(b)\"\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Azul Systems\\Zulu\\zulu-11]\r\n\"InstallationPath\"=\"%H(c)\"";
    const QStringList homes{"a 17.0.15", "b 21.0.2", "c 11.0.22"};
    QTest::newRow("the newest of three vendors") << homes << vendors << QByteArray("discover=installed\n") << "b";
    QTest::newRow("minjava: the newest is new enough") << homes << vendors << QByteArray("discover=installed\nminjava=21\n")
                                                       << "b";
    QTest::newRow("minjava: none new enough") << homes << vendors << QByteArray("discover=installed\nminjava=22\n") << "";
    QTest::newRow("without the key nothing is read") << homes << vendors << QByteArray() << "";
    QTest::newRow("the user's key") << QStringList{"a 17", "b 11", "c 22"} << vendors
                                    << QByteArray("discover=installed\n") << "c";
    QTest::newRow("the 32-bit view") << QStringList{"a 17", "b 11", "c 11", "d 23.0.1"}
        << vendors + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\BellSoft\\Liberica\\jdk-23]\r\n\"InstallationPath\"=\"%H(d)\""
        << QByteArray("discover=installed\n") << "d";
    QTest::newRow("vanished, bad and folder-like candidates skipped") << QStringList{"a 17", "e folder"}
        << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\17]\r\n\"JavaHome\"=\"%H(a)\"\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\25]\r\n\"JavaHome\"=\"%H(gone)\"\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JRE\\26]\r\n\"JavaHome\"=\"%H(e)\"\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\JDK\\27\\hotspot\\MSI]\r\n\"Path\"=dword:00000001\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\28]\r\n\"JavaHome\"=\"\"\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Development Kit\\29]\r\n\"JavaHome\"=\"C:\\\\"
               + QString(40000, QLatin1Char('x')) + "\""
        << QByteArray("discover=installed\n") << "a";
    QTest::newRow("two keys naming one folder") << QStringList{"a 17"}
        << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\17]\r\n\"JavaHome\"=\"%H(a)\"\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JRE\\17]\r\n\"JavaHome\"=\"%H(a)\\\\\""
        << QByteArray("discover=installed\n") << "a";
    QTest::newRow("a listed Java whose -version fails") << QStringList{"f fails"}
        << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\17]\r\n\"JavaHome\"=\"%H(f)\""
        << QByteArray("discover=installed\n") << "";
    // Its java.exe has no release file beside it: asked "-version", once.
    QTest::newRow("package writing only its vendor key") << QStringList() << "package sets-vendor-key"
                                                         << QByteArray("discover=installed\n") << "package";
}

// Java that only the registry knows: no JAVA_HOME, nothing on the search path.
void TestLauncherExecutable::findsInstalledJava()
{
    QFETCH(QStringList, homes);
    QFETCH(QString, registry);
    QFETCH(QByteArray, settings);
    QFETCH(QString, chosen);
    if (!windowsTarget)
        QSKIP("elsewhere /usr/lib/jvm is read: runsRealArchive runs the machine's own JDK from there");

    Sandbox sandbox;
    std::vector<std::pair<QString, StandIn>> javas;
    for (const QString &home : homes) {
        const QString name = home.section(QLatin1Char(' '), 0, 0);
        const QString release = home.section(QLatin1Char(' '), 1);
        if (release == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(StandIn::executable(sandbox.path("homes/" + name + "/bin/java"))));
            continue;
        }
        if (release == QLatin1String("fails")) {
            javas.emplace_back(name, StandIn(sandbox.path("homes/" + name + "/bin/java"), {QStringLiteral("exit 1")}));
            continue;
        }
        QVERIFY(sandbox.write("homes/" + name + "/release", "JAVA_VERSION=\"" + release.toUtf8() + "\"\n"));
        javas.emplace_back(name, StandIn(sandbox.path("homes/" + name + "/bin/java")));
    }
    QString package;
    QString undo;
    if (registry.startsWith(QLatin1String("package "))) {
        package = sandbox.path(QStringLiteral("vendor.msi"));
        QVERIFY(QFile::copy(qEnvironmentVariable("PACKAGES_UNDER_TEST") + "/runtime-" + registry.mid(8) + ".msi", package));
        QCOMPARE(QProcess::execute(emulator, {"msiexec", "/i", targetPath(package), "/qn"}), 0);
    } else {
        const QString homesFolder = nativeTargetPath(sandbox.path(QStringLiteral("homes"))).replace("\\", "\\\\");
        undo = importRegistry(sandbox, registry.replace(QRegularExpression("%H\\((\\w+)\\)"), homesFolder + "\\\\\\1"));
        QVERIFY(!undo.isEmpty());
    }
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "jar=wallet.jar\n" + settings));

    QProcess launcher;
    runToEnd(launcherProgram, userEnvironment(), !chosen.isEmpty());
    if (!package.isEmpty())
        QProcess::execute(emulator, {"msiexec", "/x", targetPath(package), "/qn"});
    if (!undo.isEmpty())
        importRegistry(sandbox, undo.mid(undo.indexOf(QLatin1Char('['))));

    QStringList ran;
    for (const auto &[name, java] : javas) {
        for (const StandIn::Run &run : java.runs()) {
            if (run.arguments != QStringList{QStringLiteral("-version")})
                ran << name + QLatin1Char(' ') + run.arguments.join(QLatin1Char('|'));
        }
    }
    if (chosen == QLatin1String("package")) {
        const QString java = qEnvironmentVariable("WINEPREFIX")
            + QStringLiteral("/drive_c/Program Files/Rarudor Test Runtime sets-vendor-key/bin/java.exe");
        for (const StandIn::Run &run : StandIn::runsOf(java))
            ran << "package " + run.arguments.join(QLatin1Char('|'));
        QCOMPARE(ran, (QStringList{"package -version", "package -jar|wallet.jar"}));
    } else {
        QCOMPARE(ran, chosen.isEmpty() ? QStringList() : QStringList{chosen + " -jar|wallet.jar"});
    }
}

void TestLauncherExecutable::launchesAfterInstall_data()
{
    // The installer: a stand-in that puts jre.staged in place as jre ("install
    // %J"), or a package of tests/packages. Java is then found through the
    // bundled runtime jre, or only through what is written to the user's
    // environment in the registry while the dialog shows.
    QTest::addColumn<QStringList>("installer"); // stand-in instructions, or "package OUTCOME"
    QTest::addColumn<QString>("release"); // of the Java installed
    QTest::addColumn<int>("walletExit");
    QTest::addColumn<bool>("afterInstall"); // afterinstall=launch
    QTest::addColumn<QStringList>("registry"); // .reg lines for HKCU\Environment; else runtime=jre
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("walletRuns");

    const QStringList install{"install %J"};
    QTest::newRow("installs a Java: the wallet runs") << install << "17" << 0 << true << QStringList() << 0 << 1;
    QTest::newRow("installs no Java") << QStringList{"exit 0"} << "17" << 0 << true << QStringList() << 0 << 0;
    QTest::newRow("installs only a Java too old") << install << "1.8.0_381" << 0 << true << QStringList() << 0 << 0;
    QTest::newRow("the wallet fails") << install << "17" << 3 << true << QStringList() << 1 << 1;
    QTest::newRow("the installer fails") << QStringList{"install %J", "exit 4"} << "17" << 0 << true << QStringList()
                                         << 1 << 0;
    QTest::newRow("without afterinstall=launch") << install << "17" << 0 << false << QStringList() << 0 << 0;
    // Windows restarts: the wallet would be cut off. Elsewhere the code is 105, a failure.
    QTest::newRow("the installer starts a restart") << QStringList{"install %J", "exit 1641"} << "17" << 0 << true
                                                    << QStringList() << (windowsTarget ? 0 : 1) << 0;
    if (!windowsTarget)
        return;
    QTest::newRow("package sets the machine's JAVA_HOME") << QStringList{"package sets-java-home"} << "" << 0 << true
                                                          << QStringList() << 0 << 1;
    QTest::newRow("package adds to the user's Path") << QStringList{"package sets-user-path"} << "" << 0 << true
                                                     << QStringList() << 0 << 1;
    // Each bad JAVA_HOME is passed over for the user's Path.
    const QString path = QStringLiteral("\"Path\"=\"%B\"");
    QTest::newRow("JAVA_HOME of type DWORD") << install << "17" << 0 << true
                                             << QStringList{"\"JAVA_HOME\"=dword:00000011", path} << 0 << 1;
    QTest::newRow("JAVA_HOME of type binary") << install << "17" << 0 << true
                                              << QStringList{"\"JAVA_HOME\"=hex:43,3a,5c", path} << 0 << 1;
    QTest::newRow("JAVA_HOME empty") << install << "17" << 0 << true << QStringList{"\"JAVA_HOME\"=\"\"", path} << 0 << 1;
    QTest::newRow("JAVA_HOME of 40,000 characters") << install << "17" << 0 << true
        << QStringList{"\"JAVA_HOME\"=\"C:\\\\" + QString(40000, QLatin1Char('j')) + "\"", path} << 0 << 1;
    // The path, then one zero byte: an odd byte count, as reg query reads it.
    QTest::newRow("JAVA_HOME of an odd byte count") << install << "17" << 0 << true
                                                    << QStringList{"\"JAVA_HOME\"=hex(1):%O"} << 0 << 1;
    QTest::newRow("JAVA_HOME naming a file") << install << "17" << 0 << true
                                             << QStringList{"\"JAVA_HOME\"=\"%B\\\\java.exe\"", path} << 0 << 1;
    // Expandable, after the plain value it names; an unknown %NAME% stays as it is.
    QTest::newRow("Path with an undefined %NAME%") << install << "17" << 0 << true
        << QStringList{"\"Path\"=hex(2):%X", "\"RARUDOR_TEST_JRE\"=\"%J\""} << 0 << 1;
    QTest::newRow("Path with empty and quoted entries") << install << "17" << 0 << true
                                                        << QStringList{"\"Path\"=\";;\\\"%B\\\";\""} << 0 << 1;
}

void TestLauncherExecutable::launchesAfterInstall()
{
    QFETCH(QStringList, installer);
    QFETCH(QString, release);
    QFETCH(int, walletExit);
    QFETCH(bool, afterInstall);
    QFETCH(QStringList, registry);
    QFETCH(int, status);

    Sandbox sandbox;
    const QString installed = nativeTargetPath(sandbox.path(QStringLiteral("jre")));
    const StandIn staged(sandbox.path(QStringLiteral("jre.staged/bin/java")),
                         {"error-line openjdk version \"" + release + "\"", QStringLiteral("exit %1").arg(walletExit)});
    QVERIFY(sandbox.write(QStringLiteral("jre.staged/release"), "JAVA_VERSION=\"" + release.toUtf8() + "\"\n"));
    // Where the installer puts it.
    QString java = QString(staged.path()).replace(QLatin1String("jre.staged/"), QLatin1String("jre/"));
    QString command;
    QString package;
    if (installer.first().startsWith(QLatin1String("package "))) {
        const QString outcome = installer.first().mid(8);
        package = sandbox.path(QStringLiteral("runtime.msi"));
        QVERIFY(QFile::copy(qEnvironmentVariable("PACKAGES_UNDER_TEST") + QStringLiteral("/runtime-%1.msi").arg(outcome),
                            package));
        command = targetPath(package);
        java = qEnvironmentVariable("WINEPREFIX")
            + QStringLiteral("/drive_c/Program Files/Rarudor Test Runtime %1/bin/java.exe").arg(outcome);
    } else {
        command = StandIn(sandbox.path(QStringLiteral("setup")), installer.replaceInStrings("%J", installed)).path();
        command = targetPath(command);
    }
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"),
                          "jar=wallet.jar\njre=\"\\\"" + command.toUtf8() + "\\\"\"\n"
                              + (package.isEmpty() ? "minjava=17\n" : "")
                              + (afterInstall ? "afterinstall=launch\n" : "")
                              + (registry.isEmpty() && package.isEmpty() ? "runtime=jre\n" : "")));

    QProcess launcher;
    start(launcher, launcherProgram, userEnvironment());
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet \\(JRE installer\\)$"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    // The user's environment as an installer leaves it, once the launcher has started.
    QByteArray expandable;
    for (const QChar c : QStringLiteral("%RARUDOR_UNDEFINED%;%RARUDOR_TEST_JRE%\\bin"))
        expandable += QByteArray::number(c.unicode() & 0xff, 16).rightJustified(2, '0') + ",00,";
    QByteArray oddSized;
    for (const QChar c : installed)
        oddSized += QByteArray::number(c.unicode() & 0xff, 16).rightJustified(2, '0') + ','
            + QByteArray::number(c.unicode() >> 8, 16).rightJustified(2, '0') + ',';
    const QString bin = installed + QStringLiteral("\\bin");
    QString undo;
    if (!registry.isEmpty()) {
        undo = importRegistry(sandbox, QStringLiteral("[HKEY_CURRENT_USER\\Environment]\r\n")
            + registry.replaceInStrings("%B", QString(bin).replace("\\", "\\\\"))
                  .replaceInStrings("%J", QString(installed).replace("\\", "\\\\"))
                  .replaceInStrings("%X", QString::fromLatin1(expandable + "00,00"))
                  .replaceInStrings("%O", QString::fromLatin1(oddSized + "00"))
                  .join("\r\n"));
        QVERIFY(!undo.isEmpty());
    }
    QVERIFY(m_display.pressKeys(dialog, {QStringLiteral("Return")}));
    if (status != 0)
        dismissErrorBox(QStringLiteral("Return"));
    finish(launcher);
    if (!undo.isEmpty())
        importRegistry(sandbox, undo.mid(undo.indexOf(QLatin1Char('['))));
    if (!package.isEmpty())
        QProcess::execute(emulator, {"msiexec", "/x", targetPath(package), "/qn"});

    QCOMPARE(launcher.exitCode(), status);
    const QList<StandIn::Run> runs = StandIn::runsOf(java);
    QTEST(int(std::count_if(runs.cbegin(), runs.cend(),
                            [](const StandIn::Run &run) { return run.arguments == QStringList{"-jar", "wallet.jar"}; })),
          "walletRuns");
}

void TestLauncherExecutable::installsProvidedPackage_data()
{
    QTest::addColumn<QString>("outcome"); // which package, and the folder it installs
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("throughMsiexec"); // jre=msiexec /i "…" /qn, else the package alone
    QTest::addColumn<bool>("msiexecPlanted"); // an msiexec.exe lies in the working folder

    QTest::newRow("package installs") << "installs" << 0 << false << false;
    QTest::newRow("package installs and asks for a restart") << "needs-reboot" << 0 << false << false;
    QTest::newRow("package refuses to install") << "refuses" << 1 << false << false;
    QTest::newRow("msiexec installs the package") << "installs" << 0 << true << false;
    QTest::newRow("msiexec installs and asks for a restart") << "needs-reboot" << 0 << true << false;
    QTest::newRow("Windows' msiexec, not the working folder's") << "installs" << 0 << true << true;
}

// A real Windows Installer package, which CreateProcess refuses to start:
// the launcher hands it to the Windows Installer through the shell.
void TestLauncherExecutable::installsProvidedPackage()
{
    QFETCH(QString, outcome);
    QFETCH(int, status);
    QFETCH(bool, throughMsiexec);
    QFETCH(bool, msiexecPlanted);
    if (!windowsTarget)
        QSKIP("Windows Installer packages are for Windows");

    Sandbox sandbox;
    const QString package = sandbox.path(QStringLiteral("Java Setup/jre setup.msi"));
    QDir().mkpath(QFileInfo(package).path());
    QVERIFY(QFile::copy(qEnvironmentVariable("PACKAGES_UNDER_TEST") + QStringLiteral("/runtime-%1.msi").arg(outcome),
                        package));
    const StandIn planted(sandbox.path(msiexecPlanted ? QStringLiteral("msiexec") : QStringLiteral("elsewhere/msiexec")));
    const QByteArray command = "\\\"" + targetPath(package).toUtf8() + "\\\" /qn";
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"),
                          "jre=\"" + (throughMsiexec ? "msiexec /i " + command : command) + "\"\n"));
    const QString installed = qEnvironmentVariable("WINEPREFIX")
        + QStringLiteral("/drive_c/Program Files/Rarudor Test Runtime %1/installed.txt").arg(outcome);

    QProcess launcher;
    answerDialog(launcher, launcherProgram, userEnvironment(), {QStringLiteral("Return")}, status, status != 0);
    QCOMPARE(QFile::exists(installed), status == 0);
    QCOMPARE(planted.runs().size(), 0);
}

void TestLauncherExecutable::runsInstallerOfTheWorkingFolder_data()
{
    QTest::addColumn<QString>("jre");
    QTest::addColumn<bool>("inWorkingFolder"); // a program of that name lies there
    QTest::addColumn<bool>("thatRuns"); // and runs
    QTest::addColumn<int>("status");

    QTest::newRow("installer in the working folder") << "jre-setup.exe /s" << true << true << 0;
    QTest::newRow("installer only beside the launcher") << "jre-setup.exe /s" << false << false << 1;
    // Windows' own, from System32\WindowsPowerShell\v1.0 on the search path.
    QTest::newRow("Windows' PowerShell, not the working folder's") << "powershell -NoProfile -Command exit" << true
                                                                   << false << 0;
}

// jre=jre-setup.exe names the shipper's installer in the working folder;
// Windows itself would take a decoy beside the launcher first.
void TestLauncherExecutable::runsInstallerOfTheWorkingFolder()
{
    QFETCH(QString, jre);
    QFETCH(bool, inWorkingFolder);
    QFETCH(bool, thatRuns);
    QFETCH(int, status);
    if (!windowsTarget)
        QSKIP("elsewhere a bare name is looked up in the search path only");

    Sandbox sandbox;
    const QString copy = copyOfLauncher(sandbox);
    QVERIFY(!copy.isEmpty());
    const QString program = jre.section(QLatin1Char(' '), 0, 0).remove(QLatin1String(".exe"));
    const StandIn decoy(sandbox.path(QStringLiteral("app/") + program));
    const StandIn planted(sandbox.path((inWorkingFolder ? QStringLiteral("work/") : QStringLiteral("elsewhere/")) + program));
    QDir::setCurrent(sandbox.path(QStringLiteral("work")));
    QVERIFY(sandbox.write(QStringLiteral("work/launcher.ini"), "jre=" + jre.toUtf8() + "\n"));

    QProcess launcher;
    answerDialog(launcher, copy, userEnvironment(), {QStringLiteral("Return")}, status, status != 0);
    QCOMPARE(planted.runs().size(), thatRuns ? 1 : 0);
    QCOMPARE(decoy.runs().size(), 0);
}

void TestLauncherExecutable::runsOnlyJavaOnTheSearchPath_data()
{
    QTest::addColumn<QString>("javaFolder"); // where the java that must run lies; empty for none
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("runs"); // of that java

    QTest::newRow("java on the search path as well") << "search" << QByteArray() << 2;
    QTest::newRow("java only beside the launcher and in the working folder") << "" << QByteArray() << 0;
    // The runtime that was looked at is the one that runs, not the launcher's folder's.
    QTest::newRow("bundled runtime named relative to the working folder") << "work/jre/bin" << QByteArray("runtime=jre\n") << 1;
}

// Windows itself would look for a bare "java" in the program's folder and the
// working folder before the search path, and for a relative path with a
// folder in the program's folder first: files anyone may have put there.
void TestLauncherExecutable::runsOnlyJavaOnTheSearchPath()
{
    QFETCH(QString, javaFolder);
    QFETCH(QByteArray, settings);

    Sandbox sandbox;
    const QString copy = copyOfLauncher(sandbox);
    QVERIFY(!copy.isEmpty());
    const StandIn besideLauncher(sandbox.path(QStringLiteral("app/java")));
    const StandIn inWorkingFolder(sandbox.path(QStringLiteral("work/java")));
    const StandIn runtimeBesideLauncher(sandbox.path(QStringLiteral("app/jre/bin/java")));
    QVERIFY(sandbox.write(QStringLiteral("work/launcher.ini"), settings));
    QDir::setCurrent(sandbox.path(QStringLiteral("work")));
    QDir().mkpath(sandbox.path(QStringLiteral("search")));
    const StandIn expected(sandbox.path((javaFolder.isEmpty() ? QStringLiteral("elsewhere") : javaFolder) + "/java"));

    QProcessEnvironment environment = userEnvironment();
    environment.insert(windowsTarget ? QStringLiteral("WINEPATH") : QStringLiteral("PATH"),
                       nativeTargetPath(sandbox.path(QStringLiteral("search"))));
    runToEnd(copy, environment, !javaFolder.isEmpty());
    QTEST(int(expected.runs().size()), "runs");
    QCOMPARE(besideLauncher.runs().size(), 0);
    QCOMPARE(inWorkingFolder.runs().size(), 0);
    QCOMPARE(runtimeBesideLauncher.runs().size(), 0);
}

void TestLauncherExecutable::loadsNoPlantedDll_data()
{
    QTest::addColumn<bool>("javaFound");

    QTest::newRow("launch path") << true;
    QTest::newRow("dialog path") << false;
}

// DLLs put beside the launcher and in its working folder under the names of
// those it loads, Qt programs commonly load, or the crypto code of Windows
// and Wine loads. Wine is told to prefer them, as Windows does, except
// version.dll: Wine's own user32 loads that before any program code runs,
// which Windows' does not.
void TestLauncherExecutable::loadsNoPlantedDll()
{
    QFETCH(bool, javaFound);
    if (!windowsTarget)
        QSKIP("the DLL search order is Windows'");

    const QStringList names{"dwmapi", "uxtheme", "version", "userenv", "netapi32", "winmm", "wtsapi32",
                            "mpr", "dxgi", "d3d11", "dwrite", "d2d1", "cryptbase", "propsys",
                            "cryptsp", "bcrypt", "bcryptprimitives", "crypt32", "rsaenh"};
    Sandbox sandbox;
    const QString copy = copyOfLauncher(sandbox);
    QVERIFY(!copy.isEmpty());
    QDir().mkpath(sandbox.path(QStringLiteral("work")));
    for (const QString &folder : {QStringLiteral("app"), QStringLiteral("work")}) {
        for (const QString &name : names)
            QVERIFY(QFile::copy(qEnvironmentVariable("PLANTED_DLL_UNDER_TEST"), sandbox.path(folder + QLatin1Char('/') + name + QStringLiteral(".dll"))));
    }
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")));
    QDir::setCurrent(sandbox.path(QStringLiteral("work")));

    QProcessEnvironment environment = userEnvironment();
    QStringList nativeFirst = names;
    nativeFirst.removeOne(QStringLiteral("version"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"), environment.value(QStringLiteral("WINEDLLOVERRIDES"))
                                                               + QLatin1Char(';') + nativeFirst.join(QLatin1Char(',')) + QStringLiteral("=n,b"));
    if (javaFound)
        environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(QStringLiteral("jdk"))));

    runToEnd(copy, environment, javaFound);
    QCOMPARE(java.runs().size(), javaFound ? 1 : 0);
    const QStringList loaded = QDir(sandbox.path(QStringLiteral("app"))).entryList({QStringLiteral("*.loaded")})
        + QDir(sandbox.path(QStringLiteral("work"))).entryList({QStringLiteral("*.loaded")});
    QCOMPARE(loaded, QStringList());
}

void TestLauncherExecutable::speaksTheUserLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("translation"); // the file whose texts it shows; empty for English

    QTest::newRow("German") << "de_DE" << "launcher_de.qm";
    QTest::newRow("French, Canada") << "fr_CA" << "launcher_fr.qm";
    QTest::newRow("Spanish, Mexico") << "es_MX" << "launcher_es.qm";
    QTest::newRow("Italian") << "it_IT" << "launcher_it.qm";
    QTest::newRow("Portuguese, Brazil") << "pt_BR" << "launcher_pt.qm";
    QTest::newRow("Dutch, Belgium") << "nl_BE" << "launcher_nl.qm";
    QTest::newRow("Polish") << "pl_PL" << "launcher_pl.qm";
    QTest::newRow("Russian") << "ru_RU" << "launcher_ru.qm";
    QTest::newRow("Turkish") << "tr_TR" << "launcher_tr.qm";
    QTest::newRow("Japanese") << "ja_JP" << "launcher_ja.qm";
    QTest::newRow("Korean") << "ko_KR" << "launcher_ko.qm";
    QTest::newRow("Chinese, China") << "zh_CN" << "launcher_zh_CN.qm";
    QTest::newRow("Chinese, Singapore") << "zh_SG" << "launcher_zh.qm";
    QTest::newRow("Chinese, Taiwan") << "zh_TW" << "launcher_zh_TW.qm";
    QTest::newRow("Chinese, Hong Kong") << "zh_HK" << "launcher_zh_HK.qm";
    QTest::newRow("Swedish, not shipped") << "sv_SE" << "";
}

void TestLauncherExecutable::speaksTheUserLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, translation);

    Sandbox sandbox;
    const QDir shipped(QStringLiteral(TRANSLATIONS_DIR));
    for (const QString &file : shipped.entryList({QStringLiteral("*.qm")}))
        QVERIFY(QFile::copy(shipped.filePath(file), sandbox.path(file)));
    QString title = QStringLiteral("Rarudor Wallet (JRE installer)");
    QTranslator translator;
    if (!translation.isEmpty()) {
        QVERIFY(translator.load(shipped.filePath(translation)));
        title = translator.translate("ResolveDialog", title.toUtf8().constData());
    }
    QProcessEnvironment environment = userEnvironment();
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("LC_ALL"), locale + QStringLiteral(".UTF-8"));
    environment.insert(QStringLiteral("LANG"), locale + QStringLiteral(".UTF-8"));

    QProcess launcher;
    start(launcher, launcherProgram, environment);
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    QCOMPARE(m_display.xdotool({QStringLiteral("getwindowname"), dialog}).value_or(QString()), title);
    QVERIFY(m_display.pressKeys(dialog, {QStringLiteral("Escape")}));
    finish(launcher);
    QCOMPARE(launcher.exitCode(), 1);
}

void TestLauncherExecutable::outlastsHostileChildren_data()
{
    QTest::addColumn<QStringList>("instructions"); // for the stand-in java; %D names 24 MiB of bytes
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("echoes"); // how often the data reaches the launcher's outputs
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("errorUnread"); // the launcher's standard error a pipe that nobody reads

    QTest::newRow("floods both outputs at once") << QStringList{"flood %D"} << 0 << 1 << QByteArray() << false;
    QTest::newRow("leaves a grandchild holding its outputs") << QStringList{"grandchild %D.sleep"} << 0 << 0
                                                             << QByteArray() << false;
    QTest::newRow("closes its outputs early") << QStringList{"close-outputs", "sleep 200"} << 0 << 0 << QByteArray()
                                              << false;
    QTest::newRow("crashes") << QStringList{"crash"} << 1 << 0 << QByteArray() << false;
    // Its answer to "-version" is read, then written on: once for the probe,
    // once for the run. The launcher keeps only its start.
    QTest::newRow("answers the probe with 24 MiB") << QStringList{"error-line java version \"17\"", "flood %D"} << 0 << 2
                                                   << QByteArray("minjava=17\n") << false;
    // The launcher writes the probe's answer and lives on to start the wallet,
    // which meets SIGPIPE as the system left it, and ends by it.
    QTest::newRow("nobody reads its standard error") << QStringList{"error-line java version \"17\""} << 1 << 0
                                                     << QByteArray("minjava=17\n") << true;
    // Fontconfig writes its own complaint there while Qt starts.
    QTest::newRow("nobody reads what a library writes") << QStringList{"exit 0"} << 0 << 0 << QByteArray() << true;
}

// Under Wine the launcher has the standard handles of the wine process that
// the test starts; from Explorer it would have none. What is asserted here
// is what a console or a redirected start gets on Windows too.
void TestLauncherExecutable::outlastsHostileChildren()
{
    QFETCH(QStringList, instructions);
    QFETCH(int, status);
    QFETCH(int, echoes);
    QFETCH(QByteArray, settings);
    QFETCH(bool, errorUnread);
    if (errorUnread && windowsTarget)
        QSKIP("Windows raises no signal for a pipe that nobody reads");

    Sandbox sandbox;
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), settings));
    const QByteArray data = data24MiB();
    QVERIFY(sandbox.write(QStringLiteral("data"), data));
    QVERIFY(sandbox.write(QStringLiteral("data.sleep"), "sleep 30000\n"));
    instructions.replaceInStrings(QStringLiteral("%D"), nativeTargetPath(sandbox.path(QStringLiteral("data"))));
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")), instructions);
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(QStringLiteral("jdk"))));
    // Its reading end is closed before the launcher starts.
    const QStringList unreadError{"-c", "/usr/bin/mkfifo unread && exec 4<>unread 5>unread 4<&- && exec \"$0\" 2>&5 5>&-",
                                  launcherProgram};
    if (errorUnread)
        environment.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral("/nonexistent/fonts.conf"));

    QElapsedTimer clock;
    clock.start();
    QProcess launcher;
    QByteArray out;
    QByteArray err;
    connect(&launcher, &QProcess::readyReadStandardOutput, [&] { out += launcher.readAllStandardOutput(); });
    connect(&launcher, &QProcess::readyReadStandardError, [&] { err += launcher.readAllStandardError(); });
    if (errorUnread)
        runExpecting(launcher, environment, status, unreadError, QStringLiteral("/bin/sh"));
    else
        runExpecting(launcher, environment, status);
    out += launcher.readAllStandardOutput();
    err += launcher.readAllStandardError();

    QVERIFY2(clock.elapsed() < 20000, "the launcher waited for more than its child");
    if (errorUnread)
        QCOMPARE(java.runs().size(), settings.isEmpty() ? 1 : 2); // with minjava the probe, then the wallet
    if (echoes > 0) {
        QVERIFY(out == data.repeated(echoes));
        QVERIFY(err.endsWith(data));
        QCOMPARE(err.count(data), echoes);
    }
}

void TestLauncherExecutable::keepsALog_data()
{
    QTest::addColumn<QString>("log"); // the key; RARUDOR_LOGS names the sandbox's logs folder
    QTest::addColumn<QStringList>("wallet"); // the stand-in java's instructions
    QTest::addColumn<QByteArray>("settings"); // more of launcher.ini
    QTest::addColumn<int>("before"); // bytes in the log before the start
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("logged"); // in this order; %J is the java that runs

    const QString log = QStringLiteral("%RARUDOR_LOGS%/launcher.log");
    const QString exception = QStringLiteral("Exception in thread \"main\" java.lang.UnsupportedClassVersionError: Wallet");
    QTest::newRow("the failing wallet's exception") << log << QStringList{"error-line " + exception, "exit 1"}
        << QByteArray() << 0 << 1
        << QStringList{"launcher 1.0.0 in ", "takes %J", "runs %J with -jar wallet.jar, and 1 argument(s) of the wallet",
                       exception, "the wallet ended with status 1", "the launcher ends with status 1"};
    if (windowsTarget)
        return;
    QTest::newRow("a Java passed over") << log << QStringList() << QByteArray("minjava=17\nruntime=old\n") << 0 << 0
        << QStringList{"passed over old/bin/java, which reports version \"1.8.0_381\"; Java 17 or later is needed", "takes %J",
                       "the wallet ended with status 0", "the launcher ends with status 0"};
    QTest::newRow("a log over 1 MiB is renamed first") << log << QStringList() << QByteArray() << 1024 * 1024 + 1 << 0
                                                       << QStringList{"launcher 1.0.0 in "};
    QTest::newRow("a log that is a folder") << QStringLiteral("%RARUDOR_LOGS%") << QStringList() << QByteArray() << 0
                                            << 0 << QStringList();
}

// The log a shipper turns on for support: what the launcher decided, and
// what the wallet wrote to its standard error, but never the wallet's arguments.
void TestLauncherExecutable::keepsALog()
{
    QFETCH(QString, log);
    QFETCH(QStringList, wallet);
    QFETCH(QByteArray, settings);
    QFETCH(int, before);
    QFETCH(int, status);
    QFETCH(QStringList, logged);

    Sandbox sandbox;
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")), wallet);
    QVERIFY(sandbox.write(QStringLiteral("jdk/release"), "JAVA_VERSION=\"17.0.15\"\n"));
    QVERIFY(QFile::exists(StandIn(sandbox.path(QStringLiteral("old/bin/java"))).path()));
    QVERIFY(sandbox.write(QStringLiteral("old/release"), "JAVA_VERSION=\"1.8.0_381\"\n"));
    QVERIFY(QDir().mkpath(sandbox.path(QStringLiteral("logs"))));
    const QString file = sandbox.path(QStringLiteral("logs/launcher.log"));
    const QByteArray earlier(before, 'x');
    if (before > 0)
        QVERIFY(sandbox.write(QStringLiteral("logs/launcher.log"), earlier));
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"),
                          "jar=wallet.jar\narguments=forward\nlog=" + log.toUtf8() + "\n" + settings));
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(QStringLiteral("jdk"))));
    environment.insert(QStringLiteral("RARUDOR_LOGS"), nativeTargetPath(sandbox.path(QStringLiteral("logs"))));

    QProcess launcher;
    runExpecting(launcher, environment, status, {QStringLiteral("rarudor:pay?to=secret-payee")});

    QCOMPARE(java.runs().size(), 1);
    const QString error = QString::fromLocal8Bit(launcher.readAllStandardError());
    QCOMPARE(error.contains(QStringLiteral("launcher: cannot write the log ")), logged.isEmpty());
    QFile written(file);
    QCOMPARE(written.open(QIODevice::ReadOnly), !logged.isEmpty());
    const QString text = QString::fromUtf8(written.readAll());
    QVERIFY2(!text.contains(QStringLiteral("secret-payee")), qPrintable(text));
    int from = 0;
    for (QString line : logged) {
        line.replace(QLatin1String("%J"), targetPath(java.path()).replace(QLatin1Char('/'), windowsTarget ? '\\' : '/'));
        from = text.indexOf(line, from);
        QVERIFY2(from >= 0, qPrintable(line + QStringLiteral(" not in order in:\n") + text));
    }
    // Each of the launcher's lines starts with the local time.
    QVERIFY(logged.isEmpty() || QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d")).match(text).hasMatch());
    if (before > 1024 * 1024) {
        QFile rotated(file + QStringLiteral(".1"));
        QVERIFY(rotated.open(QIODevice::ReadOnly));
        QCOMPARE(rotated.readAll(), earlier);
        QVERIFY(text.startsWith(QStringLiteral("20")));
    }
}

void TestLauncherExecutable::handsOverToTheRunningWallet_data()
{
    QTest::addColumn<QByteArray>("settings"); // besides jar= and arguments=forward
    QTest::addColumn<QString>("first"); // the first start's fate when the later ones come: "runs", "ended", "killed"; "none"
    QTest::addColumn<int>("laterStarts"); // started at once
    QTest::addColumn<QString>("argument"); // of each later start
    QTest::addColumn<bool>("walletReads");
    QTest::addColumn<int>("walletRuns");
    QTest::addColumn<QByteArray>("input"); // all the wallets read

    const QByteArray single("instance=single\n");
    const QString link = QStringLiteral("rarudor:pay?amount=1&memo=Café");
    QTest::newRow("a later link is handed over") << single << "runs" << 1 << link << true << 1
                                                 << (link.toUtf8() + "\n\n");
    QTest::newRow("the wallet ended: a new one runs") << single << "ended" << 1 << link << true << 2 << QByteArray();
    QTest::newRow("without the key a second wallet runs") << QByteArray() << "runs" << 1 << link << true << 2
                                                          << QByteArray();
    if (windowsTarget)
        return;
    QTest::newRow("the holder killed: a new one runs") << single << "killed" << 1 << link << true << 2 << QByteArray();
    // 3 × 32,767 bytes: more than the 64 KiB a pipe holds.
    QTest::newRow("a wallet that never reads") << single << "runs" << 3 << QString(32767, QLatin1Char('w')) << false << 1
                                               << QByteArray();
    QTest::newRow("three starts at once: one wallet") << single << "none" << 3 << link << true << 1
                                                      << (link.toUtf8() + "\n\n").repeated(2);
}

// instance=single: a link opened while the wallet runs reaches that wallet,
// on its standard input, and only one wallet runs an installation.
void TestLauncherExecutable::handsOverToTheRunningWallet()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, first);
    QFETCH(int, laterStarts);
    QFETCH(QString, argument);
    QFETCH(bool, walletReads);
    QFETCH(QByteArray, input);

    Sandbox sandbox;
    const QString inputFile = sandbox.path(QStringLiteral("input"));
    // On Windows the wallet shows a window, minimized, which a hand-over restores.
    QStringList instructions{QStringLiteral("minimized-window %1").arg(windowsTarget ? 8000 : 3000)};
    if (walletReads)
        instructions.prepend(QStringLiteral("copy-input ") + nativeTargetPath(inputFile));
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")), instructions);
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "jar=wallet.jar\narguments=forward\n" + settings));
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("JAVA_HOME"), nativeTargetPath(sandbox.path(QStringLiteral("jdk"))));

    QProcess holder;
    if (first != QLatin1String("none")) {
        start(holder, launcherProgram, environment, {QStringLiteral("first")});
        QElapsedTimer clock;
        clock.start();
        while (java.runs().isEmpty() && clock.elapsed() < 30000)
            QTest::qWait(50);
        QCOMPARE(java.runs().size(), 1);
        if (first == QLatin1String("ended"))
            finish(holder);
        if (first == QLatin1String("killed")) {
            holder.kill();
            QVERIFY(holder.waitForFinished());
        }
    }
    std::vector<std::unique_ptr<QProcess>> later;
    for (int i = 0; i < laterStarts; ++i) {
        later.push_back(std::make_unique<QProcess>());
        start(*later.back(), launcherProgram, environment, {argument});
    }
    for (const auto &launcher : later) {
        finish(*launcher);
        QCOMPARE(launcher->exitCode(), 0);
    }
    if (first == QLatin1String("runs")) {
        // The holder lives on to the end of its wallet, and ends with its status.
        QCOMPARE(holder.state(), QProcess::Running);
        finish(holder);
        QCOMPARE(holder.exitCode(), 0);
    }

    QTEST(int(java.runs().size()), "walletRuns");
    if (windowsTarget && first == QLatin1String("runs")) {
        QFile window(java.path() + QStringLiteral(".window"));
        QVERIFY(window.open(QIODevice::ReadOnly));
        QCOMPARE(window.readAll(), settings.isEmpty() ? QByteArray("minimized") : QByteArray("restored"));
    }
    QFile read(inputFile);
    QCOMPARE(read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray(), input);
}

QTEST_GUILESS_MAIN(TestLauncherExecutable)
#include "tst_launcherexecutable.moc"
