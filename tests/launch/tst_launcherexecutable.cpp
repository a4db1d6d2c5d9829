#include "fakeprogram.h"
#include "sandbox.h"
#include "xvfbdisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

// The folder contents, to show that the launcher wrote nothing.
QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

QString jdkHome()
{
    // JAVA_EXECUTABLE is usually a link such as /usr/bin/java; the JDK is two levels above the real file.
    QDir home = QFileInfo(QFileInfo(QStringLiteral(JAVA_EXECUTABLE)).canonicalFilePath()).dir();
    home.cdUp();
    return home.path();
}

} // namespace

class TestLauncherExecutable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsRealArchive_data();
    void runsRealArchive();
    void ignoresSettingsBesideItself();
    void resolvesWithoutJava_data();
    void resolvesWithoutJava();
    void speaksTheUserLanguage();
    void outlastsHostileChildren_data();
    void outlastsHostileChildren();

private:
    QProcessEnvironment userEnvironment(const QString &searchPath) const;
    void start(QProcess &launcher, const QString &program, const QProcessEnvironment &environment) const;
    void finish(QProcess &launcher) const;
    void dismissErrorBox(const QString &key) const;

    XvfbDisplay m_display;
};

void TestLauncherExecutable::initTestCase()
{
    QVERIFY2(m_display.start(), "Xvfb did not start");
}

QProcessEnvironment TestLauncherExecutable::userEnvironment(const QString &searchPath) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("JAVA_HOME"));
    environment.insert(QStringLiteral("DISPLAY"), m_display.name());
    environment.insert(QStringLiteral("PATH"), searchPath);
    return environment;
}

void TestLauncherExecutable::start(QProcess &launcher, const QString &program,
                                   const QProcessEnvironment &environment) const
{
    launcher.setProcessEnvironment(environment);
    launcher.setWorkingDirectory(QDir::currentPath());
    launcher.start(program, QStringList());
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

void TestLauncherExecutable::runsRealArchive_data()
{
    QTest::addColumn<bool>("throughJavaHome");
    QTest::addColumn<QString>("applicationExitCode");
    QTest::addColumn<int>("status");

    QTest::newRow("JAVA_HOME, application exits 0") << true << "0" << 0;
    QTest::newRow("search path, application exits 0") << false << "0" << 0;
    QTest::newRow("JAVA_HOME, application exits 3") << true << "3" << 1;
}

void TestLauncherExecutable::runsRealArchive()
{
    QFETCH(bool, throughJavaHome);
    QFETCH(QString, applicationExitCode);
    QFETCH(int, status);

    Sandbox sandbox;
    QVERIFY(QFile::copy(QStringLiteral(DEMO_JAR), sandbox.path(QStringLiteral("wallet.jar"))));
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "[General]\njar=wallet.jar\n"));
    const QStringList filesBefore = listing(sandbox.path());

    QProcessEnvironment environment = userEnvironment(
        throughJavaHome ? sandbox.path(QStringLiteral("empty")) : QFileInfo(QStringLiteral(JAVA_EXECUTABLE)).path());
    if (throughJavaHome)
        environment.insert(QStringLiteral("JAVA_HOME"), jdkHome()); // without a trailing separator
    environment.insert(QStringLiteral("WALLET_DEMO_EXIT"), applicationExitCode);

    QProcess launcher;
    start(launcher, QStringLiteral(LAUNCHER_EXECUTABLE), environment);
    if (status != 0) {
        dismissErrorBox(QStringLiteral("Return"));
    }
    finish(launcher);

    QCOMPARE(launcher.exitCode(), status);
    const QString out = QString::fromUtf8(launcher.readAllStandardOutput());
    const QString err = QString::fromUtf8(launcher.readAllStandardError());
    QVERIFY2(out.contains(QStringLiteral("Rarudor Wallet demo is running on Java")), qPrintable(out));
    QVERIFY2(err.contains(QStringLiteral("Rarudor Wallet demo: this line went to standard error.")), qPrintable(err));
    QCOMPARE(err.contains(QStringLiteral("version")), !throughJavaHome); // the probe's own answer
    QCOMPARE(listing(sandbox.path()), filesBefore);
}

void TestLauncherExecutable::ignoresSettingsBesideItself()
{
    Sandbox sandbox;
    const QString copy = sandbox.path(QStringLiteral("app/launcher"));
    QDir().mkpath(sandbox.path(QStringLiteral("app")));
    QVERIFY(QFile::copy(QStringLiteral(LAUNCHER_EXECUTABLE), copy));
    QVERIFY(sandbox.write(QStringLiteral("app/launcher.ini"), "jar=wallet.jar\n"));
    const FakeProgram java(sandbox.path(QStringLiteral("jdk/bin/java")), 0);
    QDir().mkpath(sandbox.path(QStringLiteral("elsewhere")));
    QDir::setCurrent(sandbox.path(QStringLiteral("elsewhere")));

    QProcessEnvironment environment = userEnvironment(sandbox.path(QStringLiteral("empty")));
    environment.insert(QStringLiteral("JAVA_HOME"), sandbox.path(QStringLiteral("jdk/")));
    QProcess launcher;
    start(launcher, copy, environment);
    finish(launcher);

    QCOMPARE(launcher.exitCode(), 0);
    const QList<FakeProgram::Invocation> runs = java.invocations();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("-jar"), QString()}));
    QCOMPARE(runs.first().workingDirectory, QDir::current().canonicalPath());
}

void TestLauncherExecutable::resolvesWithoutJava_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("installerExitCode");
    QTest::addColumn<bool>("installerRuns");
    QTest::addColumn<int>("status");

    QTest::newRow("Escape") << QStringList{"Escape"} << 0 << false << 1;
    QTest::newRow("Alt+Q") << QStringList{"alt+q"} << 0 << false << 1;
    QTest::newRow("Return") << QStringList{"Return"} << 0 << true << 0;
    QTest::newRow("Alt+O") << QStringList{"alt+o"} << 0 << true << 0;
    QTest::newRow("installer fails") << QStringList{"Return"} << 4 << true << 1;
}

void TestLauncherExecutable::resolvesWithoutJava()
{
    QFETCH(QStringList, keys);
    QFETCH(int, installerExitCode);
    QFETCH(bool, installerRuns);
    QFETCH(int, status);

    Sandbox sandbox;
    // While it runs, the installer looks for any visible launcher window.
    const QString visible = sandbox.path(QStringLiteral("visible-windows"));
    const FakeProgram installer(sandbox.path(QStringLiteral("Java Setup/setup")), installerExitCode,
                                QStringLiteral("/usr/bin/xdotool search --onlyvisible --name 'Rarudor|Error' > '%1'")
                                    .arg(visible));
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"),
                          "jar=wallet.jar\njre=\"\\\"" + installer.path().toUtf8() + "\\\" /quiet ADDLOCAL=a,b\"\n"));

    QProcess launcher;
    start(launcher, QStringLiteral(LAUNCHER_EXECUTABLE), userEnvironment(sandbox.path(QStringLiteral("empty"))));
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet \\(JRE installer\\)$"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    QCOMPARE(m_display.windowSize(dialog), QStringLiteral("1500x400"));
    QVERIFY(m_display.pressKeys(dialog, keys));
    if (status != 0 && installerRuns) {
        dismissErrorBox(QStringLiteral("space"));
    }
    finish(launcher);

    QCOMPARE(launcher.exitCode(), status);
    const QList<FakeProgram::Invocation> runs = installer.invocations();
    QCOMPARE(runs.size(), installerRuns ? 1 : 0);
    if (installerRuns) {
        QCOMPARE(runs.first().arguments, (QStringList{QStringLiteral("/quiet"), QStringLiteral("ADDLOCAL=a,b")}));
        QFile windows(visible);
        QVERIFY(windows.open(QIODevice::ReadOnly));
        QCOMPARE(windows.readAll(), QByteArray());
    }
}

void TestLauncherExecutable::speaksTheUserLanguage()
{
    Sandbox sandbox;
    QVERIFY(QFile::copy(QStringLiteral(GERMAN_TRANSLATION), sandbox.path(QStringLiteral("launcher_de.qm"))));
    QProcessEnvironment environment = userEnvironment(sandbox.path(QStringLiteral("empty")));
    environment.remove(QStringLiteral("LANGUAGE"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));

    QProcess launcher;
    start(launcher, QStringLiteral(LAUNCHER_EXECUTABLE), environment);
    const QString dialog = m_display.waitForWindow(QStringLiteral("^Rarudor Wallet"));
    QVERIFY2(!dialog.isEmpty(), "the dialog did not appear");
    QCOMPARE(m_display.xdotool({QStringLiteral("getwindowname"), dialog}).value_or(QString()),
             QStringLiteral("Rarudor Wallet (JRE-Installation)"));
    QVERIFY(m_display.pressKeys(dialog, {QStringLiteral("alt+b")}));
    finish(launcher);
    QCOMPARE(launcher.exitCode(), 1);
}

void TestLauncherExecutable::outlastsHostileChildren_data()
{
    QTest::addColumn<QString>("shellLines"); // run by the stand-in for java; $DATA names 24 MB of bytes
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("echoesData");

    QTest::newRow("floods both outputs at once") << "cat \"$DATA\" & cat \"$DATA\" >&2; wait" << 0 << true;
    QTest::newRow("leaves a grandchild holding its outputs") << "sleep 30 &" << 0 << false;
    QTest::newRow("closes its outputs early") << "exec >&- 2>&-; sleep 0.2" << 0 << false;
    QTest::newRow("killed by a signal") << "kill -KILL $$" << 1 << false;
}

void TestLauncherExecutable::outlastsHostileChildren()
{
    QFETCH(QString, shellLines);
    QFETCH(int, status);
    QFETCH(bool, echoesData);

    Sandbox sandbox;
    QByteArray data(24 * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((quint32(i) * 7919u) >> 3);
    QVERIFY(sandbox.write(QStringLiteral("data"), data));
    const FakeProgram java(sandbox.path(QStringLiteral("jdk/bin/java")), 0, shellLines);
    QProcessEnvironment environment = userEnvironment(QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("JAVA_HOME"), sandbox.path(QStringLiteral("jdk")));
    environment.insert(QStringLiteral("DATA"), sandbox.path(QStringLiteral("data")));

    QElapsedTimer clock;
    clock.start();
    QProcess launcher;
    QByteArray out;
    QByteArray err;
    connect(&launcher, &QProcess::readyReadStandardOutput, [&] { out += launcher.readAllStandardOutput(); });
    connect(&launcher, &QProcess::readyReadStandardError, [&] { err += launcher.readAllStandardError(); });
    start(launcher, QStringLiteral(LAUNCHER_EXECUTABLE), environment);
    if (status != 0) {
        dismissErrorBox(QStringLiteral("Return"));
    }
    finish(launcher);
    out += launcher.readAllStandardOutput();
    err += launcher.readAllStandardError();

    QCOMPARE(launcher.exitCode(), status);
    QVERIFY2(clock.elapsed() < 20000, "the launcher waited for more than its child");
    if (echoesData) {
        QVERIFY(out == data);
        QVERIFY(err.endsWith(data));
    }
}

QTEST_GUILESS_MAIN(TestLauncherExecutable)
#include "tst_launcherexecutable.moc"
