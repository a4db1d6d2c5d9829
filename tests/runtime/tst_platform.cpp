// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "platform.h"
#include "sandbox.h"
#include "standin.h"

#include <QtTest>

#include <shellapi.h>

namespace {

DWORD refusal = 0;

// CreateProcessW as Windows answers a program it will not start.
BOOL WINAPI refuseToCreate(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                           LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION)
{
    SetLastError(refusal);
    return FALSE;
}

} // namespace

// The Windows half of the platform seam: how installer arguments are quoted,
// and which refusals of CreateProcess send an installer through the shell,
// with its own exit code in the end.
class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void quotesArgumentsForWindows_data();
    void quotesArgumentsForWindows();
    void runsInstallerAndWaits_data();
    void runsInstallerAndWaits();
    void entersFolder_data();
    void entersFolder();
};

void TestPlatform::cleanup()
{
    Platform::createProcess = CreateProcessW;
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

void TestPlatform::runsInstallerAndWaits_data()
{
    QTest::addColumn<int>("refusal"); // what CreateProcess answers; 0: Windows' own answer
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("runs");

    // All 32 bits of the code: Wine hands Linux only the low byte.
    QTest::newRow("started directly") << 0 << 0x12345678 << 1;
    QTest::newRow("needs elevation: the shell starts it") << 740 << 0x12345678 << 1;
    QTest::newRow("not a program, and no package") << int(ERROR_BAD_EXE_FORMAT) << -1 << 0;
    QTest::newRow("access denied") << int(ERROR_ACCESS_DENIED) << -1 << 0;
}

void TestPlatform::runsInstallerAndWaits()
{
    QFETCH(int, refusal);
    QFETCH(int, status);

    Sandbox sandbox;
    const StandIn installer(sandbox.path(QStringLiteral("Java Setup/jre setup")),
                            {QStringLiteral("sleep 300"), QStringLiteral("exit 305419896")});
    const QStringList arguments{QStringLiteral("/s"), QStringLiteral("INSTALLDIR=C:\\Program Files\\Java\\"),
                                QStringLiteral("say \"hi\"")};
    if (refusal != 0) {
        ::refusal = DWORD(refusal);
        Platform::createProcess = refuseToCreate;
    }

    QCOMPARE(Platform::runInstaller(installer.path(), arguments), std::optional<int>(status));
    const QList<StandIn::Run> runs = installer.runs();
    QTEST(int(runs.size()), "runs");
    for (const StandIn::Run &run : runs) {
        QCOMPARE(run.arguments, arguments);
        QCOMPARE(run.workingDirectory, QDir::current().canonicalPath());
    }
}

void TestPlatform::entersFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("entered");

    QTest::newRow("folder with spaces and non-ASCII") << QStringLiteral("Rarudor Wallet/Пользователь") << true;
    // Wine, running as root, enters any folder that exists: a removed one
    // stands for those Windows refuses.
    QTest::newRow("folder removed") << QStringLiteral("removed") << false;
}

// A refusal comes with the system's own words, which the launcher passes on.
void TestPlatform::entersFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, entered);

    Sandbox sandbox;
    const QString path = sandbox.path(folder);
    QVERIFY(QDir().mkpath(path));
    if (!entered)
        QVERIFY(QDir(path).removeRecursively());

    const QString reason = Platform::enterFolder(path);
    QCOMPARE(reason.isEmpty(), entered);
    QCOMPARE(QDir::current().canonicalPath(), QDir(entered ? path : sandbox.path()).canonicalPath());
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
