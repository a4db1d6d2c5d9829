// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "variableexpansion.h"

#include <QtTest>

class TestVariableExpansion : public QObject
{
    Q_OBJECT

private slots:
    void expandsAsWindowsDoes_data();
    void expandsAsWindowsDoes();
};

void TestVariableExpansion::expandsAsWindowsDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<bool>("fits");

    // A is "1", B is "%A%", LONG fills a value to the limit.
    const QString full(longestVariableValue - 1, QLatin1Char('x'));
    QTest::newRow("unknown name stays") << "a%NOPE%b" << "a%NOPE%b" << true;
    QTest::newRow("closing % of an unknown name opens the next") << "%NOPE%A%" << "%NOPE1" << true;
    QTest::newRow("adjacent names") << "%A%B%" << "1B%" << true;
    QTest::newRow("lone %") << "100% sure" << "100% sure" << true;
    QTest::newRow("expanded value not rescanned") << "%B%" << "%A%" << true;
    QTest::newRow("at the limit") << "%LONG%y" << full + "y" << true;
    QTest::newRow("over the limit") << "%LONG%yz" << QString() << false;
}

void TestVariableExpansion::expandsAsWindowsDoes()
{
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    QFETCH(bool, fits);

    const QHash<QString, QString> variables{{"A", "1"}, {"B", "%A%"}, {"LONG", QString(longestVariableValue - 1, 'x')}};
    const std::optional<QString> result = expandVariables(text, [&variables](const QString &name) -> std::optional<QString> {
        const auto value = variables.constFind(name);
        return value == variables.cend() ? std::nullopt : std::optional<QString>(*value);
    });

    QCOMPARE(result.has_value(), fits);
    if (fits)
        QCOMPARE(*result, expanded);
}

QTEST_GUILESS_MAIN(TestVariableExpansion)
#include "tst_variableexpansion.moc"
