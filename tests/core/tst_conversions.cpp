#include "core/Conversions.h"

#include <cmath>

#include <QLocale>
#include <QTest>

using namespace zelpo;

class ConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void isNumberAcceptsOnlyAWholeFiniteDecimalNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        for (const char* text : {" 12 ", "\t12\t", "-5", "+7", "12.9", "5.", ".5", "1e9", "1E-3",
                                 "1e-400", "1.7976931348623157e308"})
            QTest::addRow("[%s]", text) << QString::fromUtf8(text) << true;
        for (const char* text : {"abc", "12abc", "1,5", "", "   ", "1e400", "1e", "1e+", "--5",
                                 "0x10", ".", "-", "1 2", "inf", "nan", "١٢", "１"})
            QTest::addRow("[%s]", text) << QString::fromUtf8(text) << false;
        QTest::newRow("400 nines") << QString(400, u'9') << false;
    }
    void isNumberAcceptsOnlyAWholeFiniteDecimalNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QVERIFY2(isNumber(text) == expected, expected ? "refused a number" : "took a non-number");
        // History numbers must be whole: "12.9" would name child 12.
        static const QStringList whole{" 12 ", "\t12\t", "-5",     "+7",
                                       "5.",   "1e9",    "1e-400", "1.7976931348623157e308"};
        QCOMPARE(isWholeNumber(text), whole.contains(text));
    }

    void numericValueReadsTheLeadingNumberOrZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const std::pair<const char*, double> rows[] = {{"0000003950", 3950},
                                                       {"1e9", 1e9},
                                                       {"3950.7abc", 3950.7},
                                                       {"  -12x", -12},
                                                       {"+2.5", 2.5},
                                                       {"12e", 12},
                                                       {"12e+", 12},
                                                       {"3e2kg", 300},
                                                       {"1,5", 1},
                                                       {".25", 0.25},
                                                       {"", 0},
                                                       {"abc", 0},
                                                       {"-", 0},
                                                       {".", 0},
                                                       {"1e400", 0},
                                                       {"1e-400", 0},
                                                       {"0x10", 0}};
        for (const auto& [text, value] : rows)
            QTest::addRow("[%s]", text) << QString::fromUtf8(text) << value;
    }
    void numericValueReadsTheLeadingNumberOrZero()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), expected);
    }

    void numericValueStaysFastAndFiniteOnHugeTexts()
    {
        const QString manyDigits(2'000'000, u'7');
        QVERIFY2(std::isfinite(numericValue(manyDigits)), "two million digits gave infinity");
        QCOMPARE(numericValue(manyDigits), 0.0);
        QVERIFY(!isNumber(manyDigits));
        QCOMPARE(numericValue("0." + QString(2'000'000, u'3') + 'x'), 1.0 / 3.0);
        QCOMPARE(numericValue("-5e" + QString(100'000, u'9')), 0.0);
        QVERIFY2(isNumber("5e-" + QString(100'000, u'9')), "a vanishing number is still a number");
        QCOMPARE(numericValue(QString(1'000'000, u'-')), 0.0);
        QCOMPARE(numericValue(QString(1'000'000, u' ') + u'4'), 4.0);
    }

    void datesAreReadDayMonthYearOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected"); // invalid: not a date
        const std::pair<const char*, QDate> rows[] = {
            {"14/02/2021", {2021, 2, 14}},    {"5/3/2020", {2020, 3, 5}},
            {"14-02-2021", {2021, 2, 14}},    {"14.02.2021", {2021, 2, 14}},
            {" 14/02/2021\t", {2021, 2, 14}}, {"01/01/29", {2029, 1, 1}},
            {"01/01/30", {1930, 1, 1}},       {"01/01/00", {2000, 1, 1}},
            {"31/12/99", {1999, 12, 31}},     {"29/02/2020", {2020, 2, 29}},
            {"29/2/2000", {2000, 2, 29}},     {"01/01/0100", {100, 1, 1}},
            {"31/12/9999", {9999, 12, 31}}};
        for (const auto& [text, date] : rows)
            QTest::addRow("[%s]", text) << QString::fromUtf8(text) << date;
        for (const char* text :
             {"29/02/2021", "29/02/1900", "31/04/2021", "02/14/2021", "10/00/2021", "00/10/2021",
              "01/01/0099", "01/01/199", "01/01/20210", "014/02/2021", "14/02-2021", "14 02 2021",
              "14/02/2021 10:00", "2021/02/14", "14/02", "+1/02/2021", "١/02/2021", ""})
            QTest::addRow("[%s]", text) << QString::fromUtf8(text) << QDate();
    }
    void datesAreReadDayMonthYearOnly()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QVERIFY2(isDate(text) == expected.isValid(), "isDate disagrees with the expected date");
        QCOMPARE(dateValue(text).value_or(QDate()), expected);
    }

    void dateTextIsDayMonthYearWhateverTheLocale()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QStringList texts{dateText({2021, 2, 5}), dateText({1999, 12, 31}),
                                dateText({150, 7, 4})};
        QLocale::setDefault(previous);
        QCOMPARE(texts, QStringList({"05/02/2021", "31/12/1999", "04/07/0150"}));
    }

    void daysBetweenCountsWholeDaysEitherWay()
    {
        QCOMPARE(daysBetween({2020, 2, 28}, {2020, 3, 1}), 2.0);
        QCOMPARE(daysBetween({2021, 2, 28}, {2021, 3, 1}), 1.0);
        QCOMPARE(daysBetween({2020, 3, 1}, {2020, 2, 28}), -2.0);
        QCOMPARE(daysBetween({2019, 6, 1}, {2020, 6, 1}), 366.0);
    }
};

QTEST_GUILESS_MAIN(ConversionsTest)
#include "tst_conversions.moc"
