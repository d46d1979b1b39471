#include "core/FormatoCampo.h"

#include <cmath>
#include <limits>

#include <QTest>
#include <QVariant>

using namespace zelpo;

class FieldFormat : public QObject
{
    Q_OBJECT

private slots:
    void givesTheFieldTextOrRefusesIt_data();
    void givesTheFieldTextOrRefusesIt();
};

void FieldFormat::givesTheFieldTextOrRefusesIt_data()
{
    QTest::addColumn<QVariant>("value"); // a double, a QDate or a QString
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected"); // null: the value does not fit

    const QDate birth(2021, 2, 14);
    const QString refused;
    QTest::newRow("history number") << QVariant(4711.0) << "0000000"
                                    << "0004711";
    QTest::newRow("birth date") << QVariant(birth) << "dd/mm/yyyy"
                                << "14/02/2021";
    QTest::newRow("weighing date") << QVariant(QDate(2021, 3, 3)) << "dd/mm/yyyy"
                                   << "03/03/2021";
    QTest::newRow("weight") << QVariant(3950.0) << "0000000000"
                            << "0000003950";
    QTest::newRow("readout weight") << QVariant(12345.6) << "##,###"
                                    << "012345";
    QTest::newRow("readout age") << QVariant(400.0) << "##,###"
                                 << "000400";
    QTest::newRow("readout months") << QVariant(13.2) << "#0.0"
                                    << "0013";

    QTest::newRow("zero") << QVariant(0.0) << "0000000"
                          << "0000000";
    QTest::newRow("negative zero has no sign") << QVariant(-0.0) << "0"
                                               << "0";
    QTest::newRow("exact width") << QVariant(9999999.0) << "0000000"
                                 << "9999999";
    QTest::newRow("fraction dropped") << QVariant(3950.7) << "0000000000"
                                      << "0000003950";
    QTest::newRow("rounded down, sign after zeros") << QVariant(-2.5) << "0000"
                                                    << "00-3";
    QTest::newRow("fill stops at twenty zeros")
        << QVariant(7.0) << QString(25, u'#') << QString(20, u'0') + "7";
    QTest::newRow("eight digits in seven") << QVariant(12345678.0) << "0000000" << refused;
    QTest::newRow("sign makes it too long") << QVariant(-1234567.0) << "0000000" << refused;
    QTest::newRow("1e9 as history number") << QVariant(1e9) << "0000000" << refused;
    QTest::newRow("empty mask") << QVariant(5.0) << "" << refused;
    QTest::newRow("not a number") << QVariant(std::nan("")) << "0000000" << refused;
    QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity()) << "000"
                              << refused;
    // Plain digits, never an exponent: 1e300 needs all of its 301 digits.
    QTest::newRow("1e300 in 300") << QVariant(1e300) << QString(300, u'0') << refused;
    QTest::newRow("1e300 in 301") << QVariant(1e300) << QString(301, u'0')
                                  << "1" + QString(300, u'?');

    QTest::newRow("date, empty mask") << QVariant(birth) << ""
                                      << "14/02/2021";
    QTest::newRow("text that is a date") << QVariant("1/2/2021") << "000"
                                         << "1/2/2021";
    QTest::newRow("text that is a number") << QVariant(" 12.9 ") << "0000"
                                           << "0012";
    QTest::newRow("text 1e9") << QVariant("1e9") << "0000000" << refused;
    QTest::newRow("long text cut") << QVariant("abcdef") << "000"
                                   << "abc";
    QTest::newRow("short text whole") << QVariant("ab") << "0000"
                                      << "ab";
}

void FieldFormat::givesTheFieldTextOrRefusesIt()
{
    QFETCH(QVariant, value);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    const FieldValue field = value.typeId() == QMetaType::Double  ? FieldValue(value.toDouble())
                             : value.typeId() == QMetaType::QDate ? FieldValue(value.toDate())
                                                                  : FieldValue(value.toString());
    const Result<QString> text = FormatoCampo(field, mask);
    if (expected.isNull()) {
        QVERIFY2(!text.ok(), qPrintable("accepted as " + (text.ok() ? text.value() : "")));
        QCOMPARE(text.failure().code, int(InvalidArgument));
        return;
    }
    QVERIFY2(text.ok(), qPrintable("refused: " + (text.ok() ? "" : text.failure().description)));
    if (expected.contains(u'?')) { // only the length and the leading digit are known
        QCOMPARE(text.value().size(), expected.size());
        QVERIFY2(text.value().startsWith(expected[0]) && !text.value().contains(u'e'),
                 qPrintable(text.value()));
    } else {
        QCOMPARE(text.value(), expected);
    }
}

QTEST_GUILESS_MAIN(FieldFormat)
#include "tst_field_format.moc"
