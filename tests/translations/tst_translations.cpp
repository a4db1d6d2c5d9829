// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "resolvedialog.h"

#include <QDir>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The dialog's seven texts as it sets them, untranslated: the sources.
QStringList dialogTexts(const ResolveDialog &dialog)
{
    return {dialog.windowTitle(), dialog.ui.label_2->text(), dialog.ui.middle->title(),
            dialog.ui.providedRadioButton->text(), dialog.ui.manualRadioButton->text(),
            dialog.ui.okButton->text(), dialog.ui.quitButton->text()};
}

QStringList sourceTexts()
{
    return dialogTexts(ResolveDialog());
}

// The accelerator letters of a button text: "&x" marks x, "&&" is a plain "&".
QString accelerators(const QString &text)
{
    QString found;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            found += text[i + 1].toLower();
        ++i;
    }
    return found;
}

} // namespace

// Every shipped translation of the dialog, checked as a translator's
// reviewer would: complete, markup intact, usable accelerators, and no text
// cut off in the dialog.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void shipsOneRowPerFile();
    void translatesEveryText_data();
    void translatesEveryText();
    void fitsTheDialog_data();
    void fitsTheDialog();
    void keepsSourcesInStep_data();
    void keepsSourcesInStep();

private:
    void addShippedRows();
};

// file, and whether its script has no Latin letters, where Windows puts the
// accelerator after the word: "OK(&O)".
const QList<QPair<QString, bool>> shipped = {
    {"launcher_de.qm", false}, {"launcher_es.qm", false}, {"launcher_fr.qm", false},
    {"launcher_it.qm", false}, {"launcher_ja.qm", true}, {"launcher_ko.qm", true},
    {"launcher_nl.qm", false}, {"launcher_pl.qm", false}, {"launcher_pt.qm", false},
    {"launcher_ru.qm", false}, {"launcher_tr.qm", false}, {"launcher_zh.qm", true},
    {"launcher_zh_CN.qm", true}, {"launcher_zh_HK.qm", true}, {"launcher_zh_MO.qm", true},
    {"launcher_zh_TW.qm", true},
};

void TestTranslations::shipsOneRowPerFile()
{
    QStringList rows;
    for (const auto &file : shipped)
        rows << file.first;
    QCOMPARE(QDir(QStringLiteral(TRANSLATIONS_DIR)).entryList({QStringLiteral("*.qm")}, QDir::Files, QDir::Name), rows);
}

void TestTranslations::addShippedRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("acceleratorAfterWord");
    for (const auto &file : shipped)
        QTest::newRow(qPrintable(file.first)) << QStringLiteral(TRANSLATIONS_DIR "/") + file.first << file.second;
}

void TestTranslations::translatesEveryText_data()
{
    addShippedRows();
}

void TestTranslations::translatesEveryText()
{
    QFETCH(QString, file);
    QFETCH(bool, acceleratorAfterWord);

    QTranslator translator;
    QVERIFY(translator.load(file));
    const QStringList sources = sourceTexts();
    QStringList translations;
    for (const QString &source : sources) {
        const QString translation = translator.translate("ResolveDialog", source.toUtf8().constData());
        QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(source));
        translations << translation;
    }

    // Only the sentence of the message is translated, never its markup.
    const QString &message = sources[1];
    const int sentenceStart = message.indexOf(QLatin1Char('>'), message.indexOf(QLatin1String("<span"))) + 1;
    const int sentenceEnd = message.indexOf(QLatin1String("</span>"));
    QVERIFY(translations[1].startsWith(message.left(sentenceStart)));
    QVERIFY(translations[1].endsWith(message.mid(sentenceEnd)));
    QVERIFY(!translations[1].mid(sentenceStart, translations[1].size() - sentenceStart - (message.size() - sentenceEnd))
                 .contains(QLatin1Char('<')));

    const QString ok = accelerators(translations[5]);
    const QString quit = accelerators(translations[6]);
    QCOMPARE(ok.size(), 1);
    QCOMPARE(quit.size(), 1);
    QVERIFY2(ok != quit, "OK and Quit need different accelerators");
    const QRegularExpression afterWord(QStringLiteral("^\\S+\\(&[A-Z]\\)$"));
    QCOMPARE(afterWord.match(translations[5]).hasMatch(), acceleratorAfterWord);
    QCOMPARE(afterWord.match(translations[6]).hasMatch(), acceleratorAfterWord);
}

void TestTranslations::fitsTheDialog_data()
{
    addShippedRows();
}

void TestTranslations::fitsTheDialog()
{
    QFETCH(QString, file);

    QTranslator translator;
    QVERIFY(translator.load(file));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    ResolveDialog dialog;
    QCoreApplication::removeTranslator(&translator);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // The layout holds every text at the dialog's fixed size, so none is cut.
    // Its height is the English one's where a platform's fonts make even
    // that a little taller than 400 (Wine's fonts, on the real windows platform).
    QCOMPARE(dialog.size(), QSize(1500, 400));
    const ResolveDialog english;
    QLayout *layout = dialog.layout();
    QVERIFY(layout->totalMinimumSize().width() <= 1500);
    QVERIFY(layout->totalHeightForWidth(1500) <= qMax(400, english.layout()->totalHeightForWidth(1500)));
    const QList<QWidget *> oneLine{dialog.ui.providedRadioButton, dialog.ui.manualRadioButton, dialog.ui.okButton,
                                   dialog.ui.quitButton, dialog.ui.middle};
    // A group box's title is in its minimum size only.
    for (QWidget *widget : oneLine)
        QVERIFY2(widget->width() >= widget->sizeHint().expandedTo(widget->minimumSizeHint()).width(),
                 qPrintable(widget->objectName()));
    QLabel *message = dialog.ui.label_2;
    QVERIFY(message->height() >= message->heightForWidth(message->width()));
}

void TestTranslations::keepsSourcesInStep_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("shipped");
    const QDir sources(QStringLiteral(TRANSLATION_SOURCES_DIR));
    for (const QString &name : sources.entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(name)) << sources.filePath(name) << (name != QLatin1String("launcher.ts"));
}

// A changed text in the code must not ship half-translated: every .ts file
// holds every source, and a shipped one translates each, none unfinished.
void TestTranslations::keepsSourcesInStep()
{
    QFETCH(QString, file);
    QFETCH(bool, shipped);

    QFile ts(file);
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QMap<QString, QString> translations;
    QStringList unfinished;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            if (!xml.attributes().value(QLatin1String("type")).isEmpty())
                unfinished << source;
            translations.insert(source, xml.readElementText());
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    for (const QString &text : sourceTexts()) {
        QVERIFY2(translations.contains(text), qPrintable(QStringLiteral("missing: ") + text));
        if (shipped)
            QVERIFY2(!translations.value(text).isEmpty(), qPrintable(QStringLiteral("untranslated: ") + text));
    }
    if (shipped)
        QCOMPARE(unfinished, QStringList());
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
