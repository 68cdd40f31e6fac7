// The chart's number format in the user's locale: one table across locales, the system locale
// as the environment sets it, and no dependence on the C library's locale.
#include "localenumbers.h"

#include <QtTest>

#include <clocale>
#include <cmath>

using namespace chart;

namespace {

const QString Nbsp = QStringLiteral("\u00a0");     // ru_RU's group separator
const QString Nnbsp = QStringLiteral("\u202f");    // fr_FR's

QString inLocale(double value, const char *locale)
{
    return QString::fromStdString(formatNumber(value, numberSymbols(QLocale(QString::fromLatin1(locale)))));
}

}  // namespace

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void locales_data();
    void locales();
    void otherScripts();
    void systemLocale();
    void notTheCLibrarysLocale();
};

void TestNumbers::locales_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("english");   // C, POSIX and en_US
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("french");

    QTest::newRow("zero") << 0.0 << "0" << "0" << "0" << "0";
    QTest::newRow("negative zero") << -0.0 << "0" << "0" << "0" << "0";
    QTest::newRow("tiny negative rounds to 0") << -0.0004 << "0" << "0" << "0" << "0";
    QTest::newRow("tiny positive rounds to 0") << 0.0004 << "0" << "0" << "0" << "0";
    QTest::newRow("whole") << 25.0 << "25" << "25" << "25" << "25";
    QTest::newRow("whole negative") << -45.0 << "-45" << "-45" << "-45" << "-45";
    QTest::newRow("999") << 999.0 << "999" << "999" << "999" << "999";
    QTest::newRow("three decimals") << 0.125 << "0.125" << "0,125" << "0,125" << "0,125";
    QTest::newRow("rounded to three") << 2.71828 << "2.718" << "2,718" << "2,718" << "2,718";
    QTest::newRow("trailing zeros dropped") << 37.7 << "37.7" << "37,7" << "37,7" << "37,7";
    QTest::newRow("rounds up to whole") << 99.9996 << "100" << "100" << "100" << "100";
    QTest::newRow("thousands") << 1000.0 << "1,000" << "1.000" << "1" + Nbsp + "000" << "1" + Nnbsp + "000";
    QTest::newRow("thousands and decimals") << 1234.5 << "1,234.5" << "1.234,5" << "1" + Nbsp + "234,5"
                                            << "1" + Nnbsp + "234,5";
    QTest::newRow("negative millions") << -1234567.25 << "-1,234,567.25" << "-1.234.567,25"
                                       << "-1" + Nbsp + "234" + Nbsp + "567,25"
                                       << "-1" + Nnbsp + "234" + Nnbsp + "567,25";
    // the view's centre stays within +-1e13 and its half-width too: no value beyond 2e13 is shown
    QTest::newRow("largest view value") << 2e13 << "20,000,000,000,000" << "20.000.000.000.000"
                                        << QString("20 000 000 000 000").replace(' ', Nbsp)
                                        << QString("20 000 000 000 000").replace(' ', Nnbsp);
    QTest::newRow("most negative view value") << -2e13 << "-20,000,000,000,000" << "-20.000.000.000.000"
                                              << QString("-20 000 000 000 000").replace(' ', Nbsp)
                                              << QString("-20 000 000 000 000").replace(' ', Nnbsp);
    QTest::newRow("far out, finest step") << 1e12 + 0.001 << "1,000,000,000,000.001"
                                          << "1.000.000.000.000,001"
                                          << QString("1 000 000 000 000,001").replace(' ', Nbsp)
                                          << QString("1 000 000 000 000,001").replace(' ', Nnbsp);
    QTest::newRow("nan") << std::nan("") << "" << "" << "" << "";
    QTest::newRow("infinity") << -HUGE_VAL << "" << "" << "" << "";
}

void TestNumbers::locales()
{
    QFETCH(double, value);
    QFETCH(QString, english);
    QFETCH(QString, german);
    QFETCH(QString, russian);
    QFETCH(QString, french);
    QCOMPARE(QString::fromStdString(formatNumber(value)), english);
    QCOMPARE(inLocale(value, "C"), english);
    QCOMPARE(inLocale(value, "POSIX"), english);
    QCOMPARE(inLocale(value, "en_US"), english);
    QCOMPARE(inLocale(value, "de_DE"), german);
    QCOMPARE(inLocale(value, "ru_RU"), russian);
    QCOMPARE(inLocale(value, "fr_FR"), french);
}

// A locale's own minus sign and digits, with the marks a right-to-left script puts before them.
void TestNumbers::otherScripts()
{
    QCOMPARE(inLocale(-1234.5, "sv_SE"), QStringLiteral("\u22121\u00a0234,5"));
    QCOMPARE(inLocale(-1234.5, "he_IL"), QStringLiteral("\u200e-1,234.5"));
    QCOMPARE(inLocale(-1234.5, "ar_EG"), QStringLiteral("\u061c-\u0661\u066c\u0662\u0663\u0664\u066b\u0665"));
}

// What the program shows is written with the symbols of the locale the environment sets
// (CTest runs this under C, de_DE, ru_RU and with LC_NUMERIC alone set to de_DE).
void TestNumbers::systemLocale()
{
    // the locale numbers follow, as the C library picks it
    QString name = qEnvironmentVariable("LC_ALL");
    for (const char *variable : {"LC_NUMERIC", "LANG"})
        if (name.isEmpty())
            name = qEnvironmentVariable(variable);
    name = name.isEmpty() ? QStringLiteral("C") : name.section('.', 0, 0);
    const QHash<QString, QString> expected{
        {"C", "-1,234.5"}, {"en_US", "-1,234.5"}, {"de_DE", "-1.234,5"},
        {"ru_RU", "-1" + Nbsp + "234,5"}, {"fr_FR", "-1" + Nnbsp + "234,5"}};
    if (!expected.contains(name))
        QSKIP(qPrintable("no expectation for the locale " + name));
    QCOMPARE(numberText(-1234.5), expected.value(name));
    QCOMPARE(numberText(-45), QStringLiteral("-45"));   // the designed view's labels in any of them
}

// printf would write "1234,5" under a German LC_NUMERIC; the format never asks the C library.
void TestNumbers::notTheCLibrarysLocale()
{
    const char *set = std::setlocale(LC_NUMERIC, "");
    const std::string decimalPoint = std::localeconv()->decimal_point;
    if (qEnvironmentVariable("LC_ALL").startsWith("de_DE") || qEnvironmentVariable("LC_NUMERIC").startsWith("de_DE"))
        QVERIFY2(set && decimalPoint == ",", "the C library does not know the German locale (LOCPATH?)");
    QCOMPARE(QString::fromStdString(formatNumber(1234.5)), QStringLiteral("1,234.5"));
    QCOMPARE(QString::fromStdString(formatNumber(-0.125, numberSymbols(QLocale(QLocale::German)))),
             QStringLiteral("-0,125"));
    std::setlocale(LC_NUMERIC, "C");
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
