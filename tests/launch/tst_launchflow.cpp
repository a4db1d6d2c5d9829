// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "launcher.h"
#include "launchflow.h"
#include "modaldriver.h"
#include "resolvedialog.h"
#include "sandbox.h"
#include "standin.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>
#include <QtTest>

namespace {

const QString launchError = QStringLiteral("The installer could not be launched.");
const QString installError = QStringLiteral("The provided Java Runtime Environment could not be installed.");

using Steps = QList<ModalDriver::Step>;

QList<ResolveDialog *> resolveDialogs()
{
    QList<ResolveDialog *> dialogs;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<ResolveDialog *>(widget))
            dialogs << dialog;
    }
    return dialogs;
}

QString runText(const StandIn &program)
{
    QStringList runs;
    for (const StandIn::Run &run : program.runs())
        runs << run.arguments.join(QLatin1Char(' '));
    return runs.join(QLatin1String("; "));
}

ResolveDialog *resolveDialog(QWidget *modal)
{
    auto *dialog = qobject_cast<ResolveDialog *>(modal);
    [dialog, modal] {
        QVERIFY2(dialog, qPrintable(QStringLiteral("expected the dialog, got ") + modal->windowTitle()));
        QVERIFY(!dialog->parentWidget());
    }();
    return dialog;
}

// The user's answers, one for each window that opens, in order.
ModalDriver::Step pressInDialog(const QString &keys)
{
    return [keys](QWidget *modal) {
        if (resolveDialog(modal))
            ModalDriver::pressKeys(modal, keys);
    };
}

ModalDriver::Step closeDialog()
{
    return [](QWidget *modal) {
        if (resolveDialog(modal))
            modal->close();
    };
}

// The dialog's own controls cannot uncheck both options; this can.
ModalDriver::Step acceptWithNoOptionChecked()
{
    return [](QWidget *modal) {
        ResolveDialog *dialog = resolveDialog(modal);
        if (!dialog)
            return;
        dialog->ui.providedRadioButton->setAutoExclusive(false);
        dialog->ui.providedRadioButton->setChecked(false);
        QTest::mouseClick(dialog->ui.okButton, Qt::LeftButton);
    };
}

QFileDialog *fileDialog(QWidget *modal)
{
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    [dialog, modal] {
        QVERIFY2(dialog, qPrintable(QStringLiteral("expected the file dialog, got ") + modal->windowTitle()));
        QVERIFY(!dialog->parentWidget());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Please select the 'java' executable program."));
    }();
    return dialog;
}

// Types the path into the file name field, as a user would.
ModalDriver::Step pickFile(const QString &relativePath)
{
    return [relativePath](QWidget *modal) {
        QFileDialog *dialog = fileDialog(modal);
        auto *fileName = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        QVERIFY(fileName);
        QTest::keyClicks(fileName, QDir::current().absoluteFilePath(relativePath));
        ModalDriver::pressKeys(modal, QStringLiteral("Return"));
    };
}

ModalDriver::Step cancelFileDialog()
{
    return [](QWidget *modal) {
        if (fileDialog(modal))
            ModalDriver::pressKeys(modal, QStringLiteral("Esc"));
    };
}

// Reads the error as the user sees it into messages, then presses Return.
ModalDriver::Step dismissErrorBox(QStringList *messages)
{
    return [messages](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY2(box, qPrintable(QStringLiteral("expected an error box, got ") + modal->windowTitle()));
        QVERIFY(!box->parentWidget());
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        *messages << box->text();
        ModalDriver::pressKeys(modal, QStringLiteral("Return"));
    };
}

// Every text whole and every control on the screen, read while it shows.
ModalDriver::Step verifyFitsScreenThenQuit()
{
    return [](QWidget *modal) {
        ResolveDialog *dialog = resolveDialog(modal);
        if (!dialog)
            return;
        // The screen that CTest asked for, as WIDTHxHEIGHT@DPI: else a row
        // could pass on the wrong one.
        const QString screen = qEnvironmentVariable("LAUNCHER_TEST_SCREEN");
        if (!screen.isEmpty()) {
            QCOMPARE(QStringLiteral("%1x%2@%3").arg(dialog->screen()->geometry().width())
                         .arg(dialog->screen()->geometry().height()).arg(dialog->logicalDpiY()), screen);
        }
        const QRect available = dialog->screen()->availableGeometry();
        QVERIFY2(available.contains(dialog->frameGeometry()),
                 qPrintable(QStringLiteral("frame %1x%2+%3+%4 off the screen")
                                .arg(dialog->frameGeometry().width()).arg(dialog->frameGeometry().height())
                                .arg(dialog->frameGeometry().x()).arg(dialog->frameGeometry().y())));
        const Ui_ResolveDialog &ui = dialog->ui;
        for (QWidget *widget : {static_cast<QWidget *>(ui.middle), static_cast<QWidget *>(ui.providedRadioButton),
                                static_cast<QWidget *>(ui.manualRadioButton), static_cast<QWidget *>(ui.okButton),
                                static_cast<QWidget *>(ui.quitButton)}) {
            const QSize needed = widget->sizeHint().expandedTo(widget->minimumSizeHint());
            QVERIFY2(widget->width() >= needed.width() && widget->height() >= needed.height(),
                     qPrintable(QStringLiteral("%1 is %2x%3, needs %4x%5").arg(widget->objectName())
                                    .arg(widget->width()).arg(widget->height()).arg(needed.width()).arg(needed.height())));
        }
        QVERIFY(ui.label_2->width() >= ui.label_2->minimumSizeHint().width());
        QVERIFY(ui.label_2->height() >= ui.label_2->heightForWidth(ui.label_2->width()));
        // Where the form's own size holds everything. Not under Wine, whose
        // fonts make the contents a little taller even at 100 %.
        if (QGuiApplication::platformName() == QLatin1String("xcb") && dialog->logicalDpiY() == 96
            && dialog->screen()->geometry().size() == QSize(1920, 1080)) {
            QCOMPARE(dialog->size(), QSize(1500, 400));
            QCOMPARE(dialog->minimumSize(), QSize(1500, 400));
        }
        ModalDriver::pressKeys(modal, QStringLiteral("Esc"));
    };
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestLaunchFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endsWithStatus_data();
    void endsWithStatus();
    void showsWhatTheWalletWroteInDetails();
    void fitsTheScreen_data();
    void fitsTheScreen();

private:
    QStringList m_messages;
};

void TestLaunchFlow::initTestCase()
{
    // Windows' own file picker runs a loop of its own that no widget can
    // answer; Qt's picker takes the same answers.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestLaunchFlow::endsWithStatus_data()
{
    QTest::addColumn<bool>("javaFound");
    QTest::addColumn<int>("javaExitCode");
    QTest::addColumn<bool>("installerConfigured");
    QTest::addColumn<int>("installerExitCode");
    QTest::addColumn<Steps>("answers");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("javaRuns");
    QTest::addColumn<QString>("installerRuns");
    QTest::addColumn<QStringList>("messages");

    const QString archive = QStringLiteral("-jar wallet.jar");
    const QString install = QStringLiteral("/s ADDLOCAL=a,b");
    const QString java = StandIn::executable(QStringLiteral("jdk/bin/java"));
    const ModalDriver::Step chooseManual = pressInDialog(QStringLiteral("Down, Return"));
    QStringList *messages = &m_messages;
    QTest::newRow("java found, application exits 0") << true << 0 << true << 0 << Steps() << 0
                                                     << archive << "" << QStringList();
    QTest::newRow("java found, application exits 3") << true << 3 << true << 0 << Steps{dismissErrorBox(messages)}
                                                     << 1 << archive << "" << QStringList{launchError};
    QTest::newRow("Escape") << false << 0 << true << 0 << Steps{pressInDialog(QStringLiteral("Esc"))} << 1
                            << "" << "" << QStringList();
    QTest::newRow("Alt+Q") << false << 0 << true << 0 << Steps{pressInDialog(QStringLiteral("Alt+Q"))} << 1
                           << "" << "" << QStringList();
    QTest::newRow("window closed") << false << 0 << true << 0 << Steps{closeDialog()} << 1 << "" << ""
                                   << QStringList();
    QTest::newRow("installer succeeds") << false << 0 << true << 0 << Steps{pressInDialog(QStringLiteral("Return"))}
                                        << 0 << "" << install << QStringList();
    QTest::newRow("installer fails") << false << 0 << true << 2
                                     << Steps{pressInDialog(QStringLiteral("Alt+O")), dismissErrorBox(messages)}
                                     << 1 << "" << install << QStringList{installError};
    QTest::newRow("no installer configured") << false << 0 << false << 0
                                             << Steps{pressInDialog(QStringLiteral("Return")), dismissErrorBox(messages)}
                                             << 1 << "" << "" << QStringList{installError};
    QTest::newRow("java picked, application exits 0") << false << 0 << true << 0
        << Steps{chooseManual, pickFile(java)} << 0 << archive << "" << QStringList();
    QTest::newRow("java picked, application exits 3") << false << 3 << true << 0
        << Steps{chooseManual, pickFile(java), dismissErrorBox(messages)} << 1 << archive << "" << QStringList{launchError};
    QTest::newRow("file dialog cancelled") << false << 0 << true << 0
        << Steps{chooseManual, cancelFileDialog(), dismissErrorBox(messages)} << 1 << "" << "" << QStringList{launchError};
    QTest::newRow("picked file is no program") << false << 0 << true << 0
        << Steps{chooseManual, pickFile(QStringLiteral("launcher.ini")), dismissErrorBox(messages)} << 1 << "" << ""
        << QStringList{launchError};
    QTest::newRow("no option checked") << false << 0 << true << 0 << Steps{acceptWithNoOptionChecked()} << 0 << ""
                                       << "" << QStringList();
}

void TestLaunchFlow::endsWithStatus()
{
    QFETCH(bool, javaFound);
    QFETCH(int, javaExitCode);
    QFETCH(bool, installerConfigured);
    QFETCH(int, installerExitCode);
    QFETCH(Steps, answers);

    Sandbox sandbox;
    Sandbox::setSearchPath(sandbox.path(QStringLiteral("empty")));
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")), {QStringLiteral("exit %1").arg(javaExitCode)});
    if (javaFound)
        Sandbox::setJavaHome(sandbox.path(QStringLiteral("jdk")));
    else
        Sandbox::unsetJavaHome();
    const StandIn setup(sandbox.path(QStringLiteral("Java Setup/setup")),
                        {QStringLiteral("exit %1").arg(installerExitCode)});
    QByteArray ini = "[General]\njar=wallet.jar\n";
    if (installerConfigured)
        ini += "jre=\"\\\"" + setup.path().toUtf8() + "\\\" /s ADDLOCAL=a,b\"\n";
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), ini));

    m_messages.clear();
    ModalDriver driver;
    for (const ModalDriver::Step &answer : answers)
        driver.then(answer);

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

// With a log, the launch error's details are the last lines the wallet
// wrote to its standard error in this start, which went to the log.
void TestLaunchFlow::showsWhatTheWalletWroteInDetails()
{
    Sandbox sandbox;
    Sandbox::setSearchPath(sandbox.path(QStringLiteral("empty")));
    QStringList written;
    for (int i = 1; i <= 25; ++i)
        written << QStringLiteral("at wallet.Main.line%1(Main.java)").arg(i);
    const StandIn java(sandbox.path(QStringLiteral("jdk/bin/java")),
                       QStringList(written).replaceInStrings(QRegularExpression("^"), "error-line ") << "exit 3");
    Sandbox::setJavaHome(sandbox.path(QStringLiteral("jdk")));
    QVERIFY(sandbox.write(QStringLiteral("launcher.log"), "an earlier start's line\n"));
    QVERIFY(sandbox.write(QStringLiteral("launcher.ini"), "jar=wallet.jar\nlog=launcher.log\n"));

    QString text;
    QString details;
    ModalDriver driver;
    driver.then([&text, &details](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        text = box->text();
        details = box->detailedText();
        ModalDriver::pressKeys(modal, QStringLiteral("Return"));
    });
    Launcher launcher;
    QCOMPARE(runLauncher(launcher), 1);
    QVERIFY(driver.allStepsRan());
    QCOMPARE(text, launchError);
    QCOMPARE(details, written.mid(5).join(QLatin1Char('\n')));
}

void TestLaunchFlow::fitsTheScreen_data()
{
    QTest::addColumn<QString>("translation"); // empty for English
    QTest::newRow("English") << QString();
    for (const QString &file : QDir(QStringLiteral(TRANSLATIONS_DIR)).entryList({QStringLiteral("*.qm")}))
        QTest::newRow(qPrintable(file)) << file;
}

// CTest runs this on real screens of the sizes and scales that users have.
void TestLaunchFlow::fitsTheScreen()
{
    QFETCH(QString, translation);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("needs a real screen: the tst_launchflow_screen tests give it one");

    Sandbox sandbox;
    Sandbox::setSearchPath(sandbox.path(QStringLiteral("empty")));
    Sandbox::unsetJavaHome();
    QTranslator translator;
    if (!translation.isEmpty()) {
        QVERIFY(translator.load(translation, QStringLiteral(TRANSLATIONS_DIR)));
        QCoreApplication::installTranslator(&translator);
    }
    ModalDriver driver;
    driver.then(verifyFitsScreenThenQuit());
    Launcher launcher;
    const int status = runLauncher(launcher);
    QCoreApplication::removeTranslator(&translator);
    qDeleteAll(resolveDialogs());

    QCOMPARE(status, 1);
    QVERIFY(driver.allStepsRan());
    QCOMPARE(driver.unexpectedWindows(), QStringList());
}

QTEST_MAIN(TestLaunchFlow)
#include "tst_launchflow.moc"
