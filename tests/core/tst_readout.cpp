#include "core/Readout.h"

#include <cmath>

#include <QTest>

using namespace zelpo;

Q_DECLARE_METATYPE(ChartSpans)

namespace {

const TwipRect designFrame{3405.0f, 435.0f, 5445.0f, 5625.0f};
const TwipRect image3Size{0.0f, 0.0f, 5865.0f, 5955.0f};
const TwipRect image4Size{0.0f, 0.0f, 5730.0f, 5925.0f};

QString captionOf(const QString& grams, const QString& days, const QString& months)
{
    return QStringLiteral("Zelpo : %1 gramos    Edad : %2 dias. (%3 meses.)")
        .arg(grams, days, months);
}

Readout readoutAt(const TwipRect& frame, float x, float y, PointerOffsets offsets,
                  const TwipRect& picture)
{
    const CrossHair lines = crossHairAt(frame, x, y, offsets, picture);
    return readoutOfCrossHair(frame, lines.x, lines.y);
}

QString shownText(const Readout& readout)
{
    const Result<QString> caption = readoutCaption(readout);
    return caption.ok() ? caption.value() : "failure: " + caption.failure().description;
}

} // namespace

class ReadoutTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheChartUnderThePointer_data();
    void readsTheChartUnderThePointer();
    void roundsDownAndTakesMonthsFromSinglePrecisionDays();
    void readsBackTheWeighingPlacedUnderIt_data();
    void readsBackTheWeighingPlacedUnderIt();
};

void ReadoutTest::readsTheChartUnderThePointer_data()
{
    QTest::addColumn<bool>("overImage3");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("caption");

    const QString origin = captionOf("000000", "000000", "0000");
    const QString farCorner = captionOf("030000", "002190", "0072");
    QTest::newRow("Image3 frame lower-left") << true << 310.0f << 5680.0f << origin;
    QTest::newRow("Image4 frame lower-left") << false << 270.0f << 5655.0f << origin;
    QTest::newRow("Image3 frame upper-right") << true << 5755.0f << 55.0f << farCorner;
    QTest::newRow("Image4 frame upper-right") << false << 5715.0f << 30.0f << farCorner;
    QTest::newRow("Image4 frame centre")
        << false << 2992.5f << 2842.5f
        << QStringLiteral("Zelpo : 015000 gramos    Edad : 001095 dias. (0036 meses.)");
    // Outside the frame: negative or past the scales, the zeros before the "-".
    QTest::newRow("Image3 picture top-left")
        << true << 0.0f << 0.0f << captionOf("030293", "00-125", "00-5");
    QTest::newRow("Image4 near picture bottom-right")
        << false << 5700.0f << 5910.0f << captionOf("0-1360", "002183", "0071");
    // One position, two pictures: each has its own offsets.
    QTest::newRow("Image3 at 450")
        << true << 450.0f << 450.0f << captionOf("027893", "000056", "0001");
    QTest::newRow("Image4 at 450")
        << false << 450.0f << 450.0f << captionOf("027760", "000072", "0002");
    // Far outside the picture the readout is that of the nearest point of its edge.
    QTest::newRow("Image4 far bottom-right")
        << false << 1e9f << 1e9f << captionOf("0-1440", "002196", "0072");
    QTest::newRow("Image4 far top-left")
        << false << -1e9f << -1e9f << captionOf("030160", "00-109", "00-4");
    QTest::newRow("Image3 far bottom-right, widest numbers")
        << true << 1e9f << 1e9f << captionOf("0-1467", "002234", "0073");
    QTest::newRow("Image3 infinitely far up-left")
        << true << -INFINITY << -INFINITY << captionOf("030293", "00-125", "00-5");
}

void ReadoutTest::readsTheChartUnderThePointer()
{
    QFETCH(bool, overImage3);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, caption);
    const Readout readout = overImage3
                                ? readoutAt(designFrame, x, y, image3PointerOffsets, image3Size)
                                : readoutAt(designFrame, x, y, image4PointerOffsets, image4Size);
    QCOMPARE(shownText(readout), caption);
}

void ReadoutTest::roundsDownAndTakesMonthsFromSinglePrecisionDays()
{
    QCOMPARE(shownText({0, 0, 1000.99f, 12345.99f, 32.99}), captionOf("012345", "001000", "0032"));
    QCOMPARE(shownText({0, 0, -0.4f, -5.3f, -4.1}), captionOf("0000-6", "0000-1", "00-5"));
    // The float nearest to 30.41 lies just below it: not yet a whole month.
    const double months = ageInMonths(30.41f);
    QVERIFY2(std::floor(months) == 0.0,
             qPrintable(QString("30.41f days gave %1 months").arg(months, 0, 'g', 17)));
}

void ReadoutTest::readsBackTheWeighingPlacedUnderIt_data()
{
    QTest::addColumn<ChartSpans>("spans");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("grams");
    for (const auto& [view, spans] :
         {std::pair("whole chart", wholeChart), std::pair("two years", firstTwoYears)})
        for (const int days : {0, 365, 730})
            for (const int grams : {0, 8000, 16000})
                QTest::addRow("%s, %d days, %d g", view, days, grams) << spans << days << grams;
}

void ReadoutTest::readsBackTheWeighingPlacedUnderIt()
{
    QFETCH(ChartSpans, spans);
    QFETCH(int, days);
    QFETCH(int, grams);
    const MarkerPosition marker = markerPlacement(designFrame, 150, 135, days, grams, spans);
    const Readout readout =
        readoutOfCrossHair(designFrame, marker.left + 75, marker.top + 67.5f, spans);
    QVERIFY2(readout.days == float(days) && readout.grams == float(grams),
             qPrintable(QStringLiteral("read %1 days, %2 g").arg(readout.days).arg(readout.grams)));
    const auto field = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QChar('0'));
    };
    QCOMPARE(shownText(readout), captionOf(field(grams, 6), field(days, 6), field(days / 30, 4)));
}

QTEST_APPLESS_MAIN(ReadoutTest)
#include "tst_readout.moc"
