#include "fakeprogram.h"
#include "launcher.h"
#include "launchflow.h"
#include "modaldriver.h"
#include "resolvedialog.h"
#include "sandbox.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {

const QString launchError = QStringLiteral("The installer could not be launched.");
const QString installError = QStringLiteral("The provided Java Runtime Environment could not be installed.");

QList<ResolveDialog *> resolveDialogs()
{
    QList<ResolveDialog *> dialogs;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<ResolveDialog *>(widget))
            dialogs << dialog;
    }
    return dialogs;
}

QString runText(const FakeProgram &program)
{
    QStringList runs;
    for (const FakeProgram::Invocation &run : program.invocations())
        runs << run.arguments.join(QLatin1Char(' '));
    return runs.join(QLatin1String("; "));
}

} // namespace

class TestLaunchFlow : public QObject
{
    Q_OBJECT

private slots:
    void endsWithStatus_data();
    void endsWithStatus();

private:
    ModalDriver::Step answerFor(const QString &answer);
    QStringList m_messages;
};

ModalDriver::Step TestLaunchFlow::answerFor(const QString &answer)
{
    const QString action = answer.section(QLatin1Char(':'), 0, 0);
    const QString detail = answer.section(QLatin1Char(':'), 1);
    if (action == QLatin1String("dialog")) {
        return [detail](QWidget *modal) {
            QVERIFY(qobject_cast<ResolveDialog *>(modal));
            QVERIFY(!modal->parentWidget());
            if (detail == QLatin1String("close"))
                modal->windowHandle()->close();
            else
                ModalDriver::pressKeys(modal, detail);
        };
    }
    if (action == QLatin1String("nochoice")) {
        return [](QWidget *modal) {
            auto *dialog = qobject_cast<ResolveDialog *>(modal);
            QVERIFY(dialog);
            dialog->ui.providedRadioButton->setAutoExclusive(false);
            dialog->ui.providedRadioButton->setChecked(false);
            QTest::mouseClick(dialog->ui.okButton, Qt::LeftButton);
        };
    }
    if (action == QLatin1String("file")) {
        return [detail](QWidget *modal) {
            QVERIFY(qobject_cast<QFileDialog *>(modal));
            QVERIFY(!modal->parentWidget());
            QCOMPARE(modal->windowTitle(), QStringLiteral("Please select the 'java' executable program."));
            if (detail == QLatin1String("cancel")) {
                ModalDriver::pressKeys(modal, QStringLiteral("Esc"));
                return;
            }
            auto *fileName = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(fileName);
            QTest::keyClicks(fileName, QDir::current().absoluteFilePath(detail));
            ModalDriver::pressKeys(modal, QStringLiteral("Return"));
        };
    }
    // "box": read the message as the user sees it, then press Return.
    return [this](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        QVERIFY(!box->parentWidget());
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        m_messages << box->text();
        ModalDriver::pressKeys(modal, QStringLiteral("Return"));
    };
}

void TestLaunchFlow::endsWithStatus_data()
{
    QTest::addColumn<bool>("javaFound");
    QTest::addColumn<int>("javaExitCode");
    QTest::addColumn<QString>("installer"); // "" for none, else its exit code
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("javaRuns");
    QTest::addColumn<QString>("installerRuns");
    QTest::addColumn<QStringList>("messages");

    const QString archive = QStringLiteral("-jar wallet.jar");
    const QString install = QStringLiteral("/s ADDLOCAL=a,b");
    QTest::newRow("java found, application exits 0") << true << 0 << "0" << QStringList() << 0
                                                     << archive << "" << QStringList();
    QTest::newRow("java found, application exits 3") << true << 3 << "0" << QStringList{"box"} << 1
                                                     << archive << "" << QStringList{launchError};
    QTest::newRow("Escape") << false << 0 << "0" << QStringList{"dialog:Esc"} << 1 << "" << "" << QStringList();
    QTest::newRow("Alt+Q") << false << 0 << "0" << QStringList{"dialog:Alt+Q"} << 1 << "" << "" << QStringList();
    QTest::newRow("window closed") << false << 0 << "0" << QStringList{"dialog:close"} << 1 << "" << ""
                                   << QStringList();
    QTest::newRow("installer succeeds") << false << 0 << "0" << QStringList{"dialog:Return"} << 0 << "" << install
                                        << QStringList();
    QTest::newRow("installer fails") << false << 0 << "2" << QStringList{"dialog:Alt+O", "box"} << 1 << ""
                                     << install << QStringList{installError};
    QTest::newRow("no installer configured") << false << 0 << "" << QStringList{"dialog:Return", "box"} << 1
                                             << "" << "" << QStringList{installError};
    QTest::newRow("java picked, application exits 0") << false << 0 << "0"
        << QStringList{"dialog:Down, Return", "file:jdk/bin/java"} << 0 << archive << "" << QStringList();
    QTest::newRow("java picked, application exits 3") << false << 3 << "0"
        << QStringList{"dialog:Down, Return", "file:jdk/bin/java", "box"} << 1 << archive << "" << QStringList{launchError};
    QTest::newRow("file dialog cancelled") << false << 0 << "0"
        << QStringList{"dialog:Down, Return", "file:cancel", "box"} << 1 << "" << "" << QStringList{launchError};
    QTest::newRow("picked file is no program") << false << 0 << "0"
        << QStringList{"dialog:Down, Return", "file:launcher.ini", "box"} << 1 << "" << "" << QStringList{launchError};
    QTest::newRow("no option checked") << false << 0 << "0" << QStringList{"nochoice"} << 0 << "" << ""
                                       << QStringList();
}

void TestLaunchFlow::endsWithStatus()
{
    QFETCH(bool, javaFound);
    QFETCH(int, javaExitCode);
    QFETCH(QString, installer);
    QFETCH(QStringList, answers);

    Sandbox sandbox;
    Sandbox::setSearchPath(sandbox.path(QStringLiteral("empty")));
    const FakeProgram java(sandbox.path(QStringLiteral("jdk/bin/java")), javaExitCode);
    if (javaFound)
        Sandbox::setJavaHome(sandbox.path(QStringLiteral("jdk")));
    else
        Sandbox::unsetJavaHome();
    const FakeProgram setup(sandbox.path(QStringLiteral("Java Setup/setup")), installer.toInt());
    QByteArray ini = "[General]\njar=wallet.jar\n";
    if (!installer.isEmpty())
        ini += "jre=\"\\\"" + setup.path().toUtf8() + "\\\" /s ADDLOCAL=a,b\"\n";
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), ini));

    m_messages.clear();
    ModalDriver driver;
    for (const QString &answer : answers)
        driver.then(answerFor(answer));

    Launcher launcher;
    const int status = runLauncher(launcher);
    const QList<ResolveDialog *> dialogs = resolveDialogs();
    const bool dialogHidden = dialogs.size() == 1 && !dialogs.first()->isVisible();
    qDeleteAll(dialogs);

    QTEST(status, "status");
    QVERIFY(driver.allStepsRan());
    QCOMPARE(driver.unexpectedWindows(), QStringList());
    QTEST(m_messages, "messages");
    QTEST(runText(java), "javaRuns");
    QTEST(runText(setup), "installerRuns");
    // Shown only without Java, then left alive but hidden while children run.
    QCOMPARE(dialogs.isEmpty(), javaFound);
    if (!javaFound)
        QVERIFY(dialogHidden);
}

QTEST_MAIN(TestLaunchFlow)
#include "tst_launchflow.moc"
