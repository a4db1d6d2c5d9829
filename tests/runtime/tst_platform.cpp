#include "platform.h"
#include "sandbox.h"
#include "standin.h"

#include <QtTest>

#include <windows.h>
#include <shellapi.h>

Q_DECLARE_METATYPE(Platform::ShellStart)

// The Windows half of the platform seam: which refused installers the shell
// starts, how their arguments are quoted, and that the wait yields the
// installer's own exit code.
class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void choosesShellStart_data();
    void choosesShellStart();
    void quotesArgumentsForWindows_data();
    void quotesArgumentsForWindows();
    void runsThroughShellAndWaits();
    void leavesOtherFailuresAlone();
};

void TestPlatform::choosesShellStart_data()
{
    QTest::addColumn<int>("startError");
    QTest::addColumn<QString>("program");
    QTest::addColumn<Platform::ShellStart>("start");

    using Platform::ShellStart;
    QTest::newRow("needs elevation") << int(Platform::errorElevationRequired) << "C:/Setup/jre-setup.exe" << ShellStart::Elevated;
    QTest::newRow("msi package") << int(ERROR_BAD_EXE_FORMAT) << "C:/Setup/jre.msi" << ShellStart::WindowsInstaller;
    QTest::newRow("msi package in capitals") << int(ERROR_BAD_EXE_FORMAT) << "C:\\SETUP\\JRE.MSI"
                                             << ShellStart::WindowsInstaller;
    QTest::newRow("document") << int(ERROR_BAD_EXE_FORMAT) << "C:/Setup/readme.txt" << ShellStart::None;
    QTest::newRow("broken program") << int(ERROR_BAD_EXE_FORMAT) << "C:/Setup/jre-setup.exe" << ShellStart::None;
    QTest::newRow("access denied to a package") << int(ERROR_ACCESS_DENIED) << "C:/Setup/jre.msi" << ShellStart::None;
    QTest::newRow("missing program") << int(ERROR_FILE_NOT_FOUND) << "C:/Setup/jre-setup.exe" << ShellStart::None;
    QTest::newRow("no reason") << 0 << "C:/Setup/jre-setup.exe" << ShellStart::None;
}

void TestPlatform::choosesShellStart()
{
    QFETCH(int, startError);
    QFETCH(QString, program);
    QTEST(Platform::shellStartFor(unsigned(startError), program), "start");
}

void TestPlatform::quotesArgumentsForWindows_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("plain switches") << QStringList{"/s", "ADDLOCAL=a,b"};
    QTest::newRow("spaces") << QStringList{"INSTALLDIR=C:\\Program Files\\Java", "/s"};
    QTest::newRow("embedded quotes") << QStringList{"say \"hi\"", "\""};
    QTest::newRow("trailing backslash") << QStringList{"C:\\Program Files\\", "C:\\Java\\"};
    QTest::newRow("backslashes before a quote") << QStringList{"a\\\\\"b", "\\\"", "c\\"};
    QTest::newRow("empty argument") << QStringList{"", "/s", ""};
    QTest::newRow("tab") << QStringList{"a\tb"};
    QTest::newRow("non-ASCII") << QStringList{QStringLiteral("Geldbörse €"), QStringLiteral("日本語")};
}

void TestPlatform::quotesArgumentsForWindows()
{
    QFETCH(QStringList, arguments);

    const QString commandLine = QStringLiteral("setup.exe ") + Platform::quotedArguments(arguments);
    int count = 0;
    wchar_t **split = CommandLineToArgvW(reinterpret_cast<LPCWSTR>(commandLine.utf16()), &count);
    QVERIFY(split);
    QStringList roundTrip;
    for (int i = 1; i < count; ++i)
        roundTrip << QString::fromWCharArray(split[i]);
    LocalFree(split);
    QCOMPARE(roundTrip, arguments);
}

void TestPlatform::runsThroughShellAndWaits()
{
    Sandbox sandbox;
    // All 32 bits of the code: Wine hands Linux only the low byte.
    const StandIn installer(sandbox.path(QStringLiteral("Java Setup/jre setup")),
                            {QStringLiteral("sleep 300"), QStringLiteral("exit 305419896")});
    const QStringList arguments{QStringLiteral("/s"), QStringLiteral("INSTALLDIR=C:\\Program Files\\Java\\"),
                                QStringLiteral("say \"hi\"")};

    const std::optional<int> status = Platform::runThroughShell(installer.path(), arguments, Platform::errorElevationRequired);

    QCOMPARE(status, std::optional<int>(0x12345678));
    const QList<StandIn::Run> runs = installer.runs();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().arguments, arguments);
}

void TestPlatform::leavesOtherFailuresAlone()
{
    Sandbox sandbox;
    const StandIn installer(sandbox.path(QStringLiteral("setup")));

    QCOMPARE(Platform::runThroughShell(installer.path(), {}, ERROR_FILE_NOT_FOUND), std::optional<int>());
    QCOMPARE(Platform::runThroughShell(installer.path(), {}, ERROR_BAD_EXE_FORMAT), std::optional<int>());
    QCOMPARE(installer.runs().size(), 0);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
