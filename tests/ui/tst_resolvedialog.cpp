// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "modaldriver.h"
#include "resolvedialog.h"

#include <QFile>
#include <QMetaEnum>
#include <QResource>
#include <QTextBlock>
#include <QTextDocument>
#include <QTranslator>
#include <QWindow>
#include <QtTest>

namespace {

QString policyName(QSizePolicy::Policy policy)
{
    return QLatin1String(QMetaEnum::fromType<QSizePolicy::Policy>().valueToKey(policy));
}

QString marginsText(const QMargins &margins)
{
    return QStringLiteral("%1,%2,%3,%4").arg(margins.left()).arg(margins.top()).arg(margins.right()).arg(margins.bottom());
}

QString describe(QLayoutItem *item)
{
    if (QSpacerItem *spacer = item->spacerItem()) {
        return QStringLiteral("spacer %1x%2 %3/%4")
            .arg(spacer->sizeHint().width())
            .arg(spacer->sizeHint().height())
            .arg(policyName(spacer->sizePolicy().horizontalPolicy()),
                 policyName(spacer->sizePolicy().verticalPolicy()));
    }
    if (item->layout())
        return QStringLiteral("layout ") + item->layout()->objectName();
    return QStringLiteral("widget ") + item->widget()->objectName();
}

// The seven texts in the order the dialog sets them.
QStringList texts(const ResolveDialog &dialog)
{
    return {dialog.windowTitle(), dialog.ui.label_2->text(), dialog.ui.middle->title(),
            dialog.ui.providedRadioButton->text(), dialog.ui.manualRadioButton->text(),
            dialog.ui.okButton->text(), dialog.ui.quitButton->text()};
}

const QString englishMessage = QStringLiteral(
    "<html><head/><body><p><span style=\" font-weight:600; color:#aa0000;\">"
    "No Java Runtime Enviroment (JRE) could be found on your computer.</span></p></body></html>");

} // namespace

class TestResolveDialog : public QObject
{
    Q_OBJECT

private slots:
    void iconIsEmbeddedBeforeAnyWidget();
    void widgetTree_data();
    void widgetTree();
    void layouts_data();
    void layouts();
    void sizes_data();
    void sizes();
    void fonts_data();
    void fonts();
    void initialState();
    void metaObject();
    void showsSourceTextsWithoutTranslation();
    void showsInstalledTranslation();
    void opensAtMinimumSizeAndRefusesToShrink();
    void initialFocus_data();
    void initialFocus();
    void answersKeys_data();
    void answersKeys();
    void answersClicks_data();
    void answersClicks();
    void selectedChoice_data();
    void selectedChoice();
    void disabledOptionCannotBeCheckedAgain();

private:
    void runAndCheck(ResolveDialog &dialog, const ModalDriver::Step &answer, int result, int choice);
};

void TestResolveDialog::iconIsEmbeddedBeforeAnyWidget()
{
    QVERIFY(QApplication::allWidgets().isEmpty());
    const QString path = QStringLiteral(":/img/img/rarudor.png");
    const QImage image(path);
    QCOMPARE(image.size(), QSize(256, 256));
    QVERIFY(image.hasAlphaChannel());

    const QResource resource(path);
    QVERIFY(resource.isValid());
#if QT_VERSION >= QT_VERSION_CHECK(5, 13, 0)
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
#else
    QVERIFY(!resource.isCompressed());
#endif
    QVERIFY(resource.lastModified().isValid()); // only recorded from format version 2 on
    QFile source(QStringLiteral(ICON_SOURCE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(resource.data()), int(resource.size())), source.readAll());
}

void TestResolveDialog::widgetTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");

    QTest::newRow("vboxLayout") << "vboxLayout" << "QVBoxLayout" << "ResolveDialog";
    QTest::newRow("horizontalLayout") << "horizontalLayout" << "QHBoxLayout" << "vboxLayout";
    QTest::newRow("label_2") << "label_2" << "QLabel" << "ResolveDialog";
    QTest::newRow("middle") << "middle" << "QGroupBox" << "ResolveDialog";
    QTest::newRow("vboxLayout1") << "vboxLayout1" << "QVBoxLayout" << "middle";
    QTest::newRow("providedRadioButton") << "providedRadioButton" << "QRadioButton" << "middle";
    QTest::newRow("manualRadioButton") << "manualRadioButton" << "QRadioButton" << "middle";
    QTest::newRow("bottom") << "bottom" << "QHBoxLayout" << "vboxLayout";
    QTest::newRow("okButton") << "okButton" << "QPushButton" << "ResolveDialog";
    QTest::newRow("quitButton") << "quitButton" << "QPushButton" << "ResolveDialog";
}

void TestResolveDialog::widgetTree()
{
    QFETCH(QString, name);
    const ResolveDialog dialog;
    const QList<QObject *> matches = dialog.findChildren<QObject *>(name);
    QCOMPARE(matches.size(), 1);
    QTEST(QString::fromLatin1(matches.first()->metaObject()->className()), "className");
    QTEST(matches.first()->parent()->objectName(), "parentName");

    const QObject *fields[] = {dialog.ui.vboxLayout, dialog.ui.horizontalLayout, dialog.ui.label_2,
                               dialog.ui.middle, dialog.ui.vboxLayout1, dialog.ui.providedRadioButton,
                               dialog.ui.manualRadioButton, dialog.ui.bottom, dialog.ui.okButton,
                               dialog.ui.quitButton};
    QVERIFY(std::find(std::begin(fields), std::end(fields), matches.first()) != std::end(fields));
    QVERIFY(!dialog.parent());
    QCOMPARE(dialog.objectName(), QStringLiteral("ResolveDialog"));
}

void TestResolveDialog::layouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QString>("margins");

    QTest::newRow("vboxLayout") << "vboxLayout"
        << QStringList{"spacer 20x10 Minimum/Fixed", "layout horizontalLayout", "spacer 20x40 Minimum/Fixed",
                       "widget middle", "spacer 20x40 Minimum/Fixed", "layout bottom"}
        << 5 << "35,20,35,20";
    QTest::newRow("horizontalLayout") << "horizontalLayout" << QStringList{"widget label_2"} << 5 << "0,0,0,0";
    QTest::newRow("vboxLayout1") << "vboxLayout1"
        << QStringList{"widget providedRadioButton", "widget manualRadioButton"} << 6 << "8,8,8,10";
    QTest::newRow("bottom") << "bottom"
        << QStringList{"spacer 131x31 Expanding/Minimum", "widget okButton", "spacer 3x20 Fixed/Minimum",
                       "widget quitButton"}
        << 5 << "0,0,0,0";
}

void TestResolveDialog::layouts()
{
    QFETCH(QString, name);
    const ResolveDialog dialog;
    const auto *layout = dialog.findChild<QLayout *>(name);
    QVERIFY(layout);
    QStringList items;
    for (int i = 0; i < layout->count(); ++i)
        items << describe(layout->itemAt(i));
    QTEST(items, "items");
    QTEST(layout->spacing(), "spacing");
    QTEST(marginsText(layout->contentsMargins()), "margins");

    const QLayoutItem *spacerFields[] = {dialog.ui.topSpacer, dialog.ui.upperSpacer, dialog.ui.lowerSpacer,
                                         dialog.ui.buttonRowSpacer, dialog.ui.buttonGapSpacer};
    for (int i = 0; i < layout->count(); ++i) {
        if (layout->itemAt(i)->spacerItem())
            QVERIFY(std::find(std::begin(spacerFields), std::end(spacerFields), layout->itemAt(i)) != std::end(spacerFields));
    }
}

void TestResolveDialog::sizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("minimumSize");
    QTest::addColumn<QString>("policies");

    QTest::newRow("dialog") << "ResolveDialog" << QSize(1500, 400) << "Preferred/Preferred";
    QTest::newRow("label_2") << "label_2" << QSize(0, 0) << "Preferred/Preferred";
    QTest::newRow("okButton") << "okButton" << QSize(90, 0) << "Fixed/Fixed";
    QTest::newRow("quitButton") << "quitButton" << QSize(90, 20) << "Fixed/Fixed";
}

void TestResolveDialog::sizes()
{
    QFETCH(QString, name);
    ResolveDialog dialog;
    QWidget *widget = name == dialog.objectName() ? &dialog : dialog.findChild<QWidget *>(name);
    QTEST(widget->minimumSize(), "minimumSize");
    const QSizePolicy policy = widget->sizePolicy();
    QTEST(policyName(policy.horizontalPolicy()) + QLatin1Char('/') + policyName(policy.verticalPolicy()), "policies");
    QCOMPARE(policy.horizontalStretch(), 0);
    QCOMPARE(policy.verticalStretch(), 0);
}

void TestResolveDialog::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("setExplicitly");

    QTest::newRow("label_2") << "label_2" << true;
    QTest::newRow("middle") << "middle" << true;
    QTest::newRow("okButton") << "okButton" << true;
    QTest::newRow("quitButton") << "quitButton" << true;
    QTest::newRow("providedRadioButton") << "providedRadioButton" << false;
    QTest::newRow("manualRadioButton") << "manualRadioButton" << false;
}

void TestResolveDialog::fonts()
{
    QFETCH(QString, name);
    const ResolveDialog dialog;
    const auto *widget = dialog.findChild<QWidget *>(name);
    QTEST(widget->testAttribute(Qt::WA_SetFont), "setExplicitly");
    QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
    QCOMPARE(widget->font().pointSize(), 9);
    QVERIFY(!dialog.testAttribute(Qt::WA_SetFont));
}

void TestResolveDialog::initialState()
{
    const ResolveDialog dialog;
    QCOMPARE(dialog.size(), QSize(1500, 400));
    QVERIFY(!dialog.autoFillBackground());
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.windowIcon().pixmap(QSize(256, 256)).size(), QSize(256, 256));

    QCOMPARE(dialog.ui.label_2->lineWidth(), 2);
    QCOMPARE(dialog.ui.label_2->midLineWidth(), 0);
    QCOMPARE(dialog.ui.label_2->frameShape(), QFrame::NoFrame);
    QCOMPARE(dialog.ui.label_2->textFormat(), Qt::AutoText);
    QVERIFY(dialog.ui.label_2->wordWrap());

    QVERIFY(dialog.ui.providedRadioButton->isCheckable());
    QVERIFY(dialog.ui.providedRadioButton->isChecked());
    QVERIFY(!dialog.ui.manualRadioButton->isChecked());
    QVERIFY(dialog.ui.providedRadioButton->autoExclusive());

    QVERIFY(dialog.ui.okButton->isDefault());
    QVERIFY(!dialog.ui.okButton->isFlat());
    QVERIFY(!dialog.ui.quitButton->isDefault());
    QVERIFY(!dialog.ui.quitButton->isFlat());
}

void TestResolveDialog::metaObject()
{
    const QMetaObject &meta = ResolveDialog::staticMetaObject;
    QCOMPARE(meta.className(), "ResolveDialog");
    QCOMPARE(meta.superClass(), &QDialog::staticMetaObject);
    QCOMPARE(meta.methodCount(), meta.methodOffset());
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    QCOMPARE(meta.enumeratorCount(), meta.enumeratorOffset());
    QCOMPARE(meta.classInfoCount(), meta.classInfoOffset());
    QCOMPARE(meta.constructorCount(), 0);

    ResolveDialog dialog;
    QCOMPARE(dialog.metaObject(), &meta);
    QCOMPARE(dialog.qt_metacast(nullptr), nullptr);
    QCOMPARE(dialog.qt_metacast("ResolveDialog"), static_cast<void *>(&dialog));
    QCOMPARE(dialog.qt_metacast("QDialog"), static_cast<void *>(static_cast<QDialog *>(&dialog)));
    QCOMPARE(dialog.qt_metacast("QLabel"), nullptr);
    QObject *object = &dialog;
    QCOMPARE(qobject_cast<ResolveDialog *>(object), &dialog);
    QDialog plain;
    QCOMPARE(qobject_cast<ResolveDialog *>(static_cast<QObject *>(&plain)), nullptr);
}

void TestResolveDialog::showsSourceTextsWithoutTranslation()
{
    const ResolveDialog dialog;
    const QStringList expected{
        QStringLiteral("Rarudor Wallet (JRE installer)"),
        englishMessage,
        QStringLiteral("Rarudor Wallet requires JRE to run, please select one of the following options to set JRE "
                       "and run the application again"),
        QStringLiteral("automatically install the JRE provided with this software (recommended)"),
        QStringLiteral("manually specify the location of an existing JRE"),
        QStringLiteral("&OK"),
        QStringLiteral("&Quit")};
    QCOMPARE(texts(dialog), expected);

    QTextDocument shown;
    shown.setHtml(dialog.ui.label_2->text());
    QCOMPARE(shown.toPlainText(), QStringLiteral("No Java Runtime Enviroment (JRE) could be found on your computer."));
    const QTextCharFormat format = shown.begin().begin().fragment().charFormat();
    QCOMPARE(format.fontWeight(), int(QFont::Bold)); // how Qt reads CSS weight 600
    QCOMPARE(format.foreground().color(), QColor(0xaa, 0x00, 0x00));
}

void TestResolveDialog::showsInstalledTranslation()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(FIXTURE_TRANSLATION)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    ResolveDialog translated;
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(texts(translated), (QStringList{"[title]", "[message]", "[instruction]", "[provided]", "[manual]",
                                             "[&ok]", "[&quit]"}));

    // Built once: removing the translation later changes nothing.
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&translated, &languageChange);
    QCOMPARE(translated.windowTitle(), QStringLiteral("[title]"));
}

void TestResolveDialog::opensAtMinimumSizeAndRefusesToShrink()
{
    ResolveDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), QSize(1500, 400));
    dialog.resize(800, 200);
    QCOMPARE(dialog.size(), QSize(1500, 400));
    QCOMPARE(dialog.windowHandle()->minimumSize(), QSize(1500, 400));
}

void TestResolveDialog::initialFocus_data()
{
    QTest::addColumn<bool>("installerDisabled");
    QTest::addColumn<QString>("focusName");

    QTest::newRow("installer offered") << false << "providedRadioButton";
    QTest::newRow("installer disabled") << true << "manualRadioButton";
}

void TestResolveDialog::initialFocus()
{
    QFETCH(bool, installerDisabled);
    ResolveDialog dialog;
    dialog.ui.providedRadioButton->setEnabled(!installerDisabled);
    QString focusName;
    ModalDriver driver;
    driver.then([&](QWidget *modal) {
        focusName = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
        modal->close();
    });
    dialog.exec();
    QVERIFY(driver.allStepsRan());
    QTEST(focusName, "focusName");
}

void TestResolveDialog::runAndCheck(ResolveDialog &dialog, const ModalDriver::Step &answer, int result, int choice)
{
    ModalDriver driver;
    driver.then(answer);
    QCOMPARE(dialog.exec(), result);
    QVERIFY(driver.allStepsRan());
    QCOMPARE(driver.unexpectedWindows(), QStringList());
    QVERIFY(!dialog.isVisible());
    if (result == QDialog::Accepted)
        QCOMPARE(int(dialog.selectedChoice()), choice);
}

void TestResolveDialog::answersKeys_data()
{
    QTest::addColumn<bool>("installerDisabled");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("choice");

    const int accepted = QDialog::Accepted;
    const int rejected = QDialog::Rejected;
    QTest::newRow("Return") << false << "Return" << accepted << int(Provided);
    QTest::newRow("Enter") << false << "Enter" << accepted << int(Provided);
    QTest::newRow("Alt+O") << false << "Alt+O" << accepted << int(Provided);
    QTest::newRow("Escape") << false << "Esc" << rejected << -1;
    QTest::newRow("Alt+Q") << false << "Alt+Q" << rejected << -1;
    QTest::newRow("Down moves the check") << false << "Down, Return" << accepted << int(Manual);
    QTest::newRow("Down and Up again") << false << "Down, Up, Return" << accepted << int(Provided);
    QTest::newRow("Tab to OK, Space") << false << "Tab, Space" << accepted << int(Provided);
    QTest::newRow("Tab to Quit, Space") << false << "Tab, Tab, Space" << rejected << -1;
    QTest::newRow("Return on focused Quit") << false << "Tab, Tab, Return" << rejected << -1;
    QTest::newRow("disabled installer option stays checked") << true << "Return" << accepted << int(Provided);
    QTest::newRow("disabled installer option, manual picked") << true << "Space, Return" << accepted << int(Manual);
    QTest::newRow("disabled installer option, Escape") << true << "Esc" << rejected << -1;
}

void TestResolveDialog::answersKeys()
{
    QFETCH(bool, installerDisabled);
    QFETCH(QString, keys);
    QFETCH(int, result);
    QFETCH(int, choice);

    ResolveDialog dialog;
    dialog.ui.providedRadioButton->setEnabled(!installerDisabled);
    runAndCheck(dialog, [keys](QWidget *modal) { ModalDriver::pressKeys(modal, keys); }, result, choice);
}

void TestResolveDialog::answersClicks_data()
{
    QTest::addColumn<QString>("clicked"); // a widget's name, or "close" for the window's close button
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("choice");

    QTest::newRow("OK") << "okButton" << int(QDialog::Accepted) << int(Provided);
    QTest::newRow("Quit") << "quitButton" << int(QDialog::Rejected) << -1;
    QTest::newRow("window closed") << "close" << int(QDialog::Rejected) << -1;
}

void TestResolveDialog::answersClicks()
{
    QFETCH(QString, clicked);
    QFETCH(int, result);
    QFETCH(int, choice);

    ResolveDialog dialog;
    runAndCheck(dialog, [clicked](QWidget *modal) {
        if (clicked == QLatin1String("close"))
            modal->close();
        else
            QTest::mouseClick(modal->findChild<QWidget *>(clicked), Qt::LeftButton);
    }, result, choice);
}

void TestResolveDialog::selectedChoice_data()
{
    QTest::addColumn<bool>("provided");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<int>("choice");

    QTest::newRow("installer option") << true << false << int(Provided);
    QTest::newRow("manual option") << false << true << int(Manual);
    QTest::newRow("both, manual tested first") << true << true << int(Manual);
    QTest::newRow("neither") << false << false << int(NoChoice);
}

void TestResolveDialog::selectedChoice()
{
    QFETCH(bool, provided);
    QFETCH(bool, manual);
    ResolveDialog dialog;
    // Only lifting the exclusivity reaches the states a user cannot make.
    dialog.ui.providedRadioButton->setAutoExclusive(false);
    dialog.ui.manualRadioButton->setAutoExclusive(false);
    dialog.ui.providedRadioButton->setChecked(provided);
    dialog.ui.manualRadioButton->setChecked(manual);
    QTEST(int(dialog.selectedChoice()), "choice");
    QCOMPARE(dialog.ui.providedRadioButton->isChecked(), provided);
    QCOMPARE(dialog.ui.manualRadioButton->isChecked(), manual);
}

void TestResolveDialog::disabledOptionCannotBeCheckedAgain()
{
    ResolveDialog dialog;
    dialog.ui.providedRadioButton->setEnabled(false);
    runAndCheck(dialog, [](QWidget *modal) {
        auto *dialog = static_cast<ResolveDialog *>(modal);
        // On the indicator: a radio button takes clicks on its indicator and text only.
        const QPoint indicator(8, dialog->ui.manualRadioButton->height() / 2);
        QTest::mouseClick(dialog->ui.manualRadioButton, Qt::LeftButton, Qt::NoModifier, indicator);
        QVERIFY(!dialog->ui.providedRadioButton->isChecked());
        QTest::mouseClick(dialog->ui.providedRadioButton, Qt::LeftButton, Qt::NoModifier, indicator);
        ModalDriver::pressKeys(modal, QStringLiteral("Up"));
        QTest::mouseClick(dialog->ui.okButton, Qt::LeftButton);
    }, QDialog::Accepted, Manual);
}

QTEST_MAIN(TestResolveDialog)
#include "tst_resolvedialog.moc"
