#include "core/ChartScale.h"

#include <cmath>
#include <limits>

#include <QTest>

using namespace zelpo;

Q_DECLARE_METATYPE(TwipRect)
Q_DECLARE_METATYPE(ChartSpans)

namespace {

const TwipRect designFrame{3405.0f, 435.0f, 5445.0f, 5625.0f};

// QCOMPARE forgives small differences between floats; positions must agree to the last bit.
bool sameFloat(float actual, float expected)
{
    return actual == expected || (std::isnan(actual) && std::isnan(expected));
}

} // namespace

class ChartScale : public QObject
{
    Q_OBJECT

private slots:
    void centresTheMarkerOnAgeAndWeight_data();
    void centresTheMarkerOnAgeAndWeight();
    void keepsFarAwayAgesFinite();
    void takesTheFirstHiddenMarker_data();
    void takesTheFirstHiddenMarker();
};

void ChartScale::centresTheMarkerOnAgeAndWeight_data()
{
    QTest::addColumn<TwipRect>("frame");
    QTest::addColumn<float>("markerWidth");
    QTest::addColumn<float>("markerHeight");
    QTest::addColumn<double>("age");
    QTest::addColumn<double>("weight");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<ChartSpans>("spans");

    const auto row = [](const char* name, TwipRect frame, double age, double weight, float left,
                        float top, ChartSpans spans = wholeChart) {
        QTest::newRow(name) << frame << 150.0f << 135.0f << age << weight << left << top << spans;
    };
    row("top-left corner", designFrame, 0, 30000, 3330.0f, 367.5f);
    row("one year", designFrame, 365, 10000, 4237.5f, 4117.5f);
    row("two years", designFrame, 730, 12000, 5145.0f, 3742.5f);
    row("right edge", designFrame, 2190, 300, 8775.0f, 5936.25f);
    // The stored example history; the left edges are the floats nearest to 3330 + 17 × 5445 /
    // 2190 = 3372.2671... and 3330 + 55 × 5445 / 2190 = 3466.7465...
    row("17 days", designFrame, 17, 3950, 3372.26709f, 5251.875f);
    row("55 days", designFrame, 55, 4620, 3466.74658f, 5126.25f);
    row("birth date after today", designFrame, -365, 10000, 2422.5f, 4117.5f);
    row("older than the chart", designFrame, 4380, 10000, 14220.0f, 4117.5f);
    row("frame moved", TwipRect{3505.0f, 335.0f, 5445.0f, 5625.0f}, 365, 10000, 4337.5f, 4017.5f);
    row("frame resized", TwipRect{3405.0f, 435.0f, 2190.0f, 3000.0f}, 365, 10000, 3695.0f, 2367.5f);
    // The first two years spread over the same frame: one year and 8 kg at its centre.
    row("two years, top-right corner", designFrame, 730, 16000, 8775.0f, 367.5f, firstTwoYears);
    row("two years, centre", designFrame, 365, 8000, 6052.5f, 3180.0f, firstTwoYears);
    row("two years, past them", designFrame, 1095, 24000, 11497.5f, -2445.0f, firstTwoYears);
    // The bottom edge is rounded to single before use (2^24 + 1 becomes 2^24), the left edge
    // plus the offset is not: a rounding in the other place puts the marker one twip off.
    QTest::newRow("precision of the sums")
        << TwipRect{16777216.0f, 16777216.0f, 2190.0f, 1.0f} << 2.0f << 2.0f << 1.0 << 0.0
        << 16777216.0f << 16777215.0f << wholeChart;
}

void ChartScale::centresTheMarkerOnAgeAndWeight()
{
    QFETCH(TwipRect, frame);
    QFETCH(float, markerWidth);
    QFETCH(float, markerHeight);
    QFETCH(double, age);
    QFETCH(double, weight);
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(ChartSpans, spans);
    const MarkerPosition position =
        markerPlacement(frame, markerWidth, markerHeight, age, weight, spans);
    QVERIFY2(sameFloat(position.left, left) && sameFloat(position.top, top),
             qPrintable(QStringLiteral("placed at %1, %2")
                            .arg(position.left, 0, 'g', 9)
                            .arg(position.top, 0, 'g', 9)));
    if (spans == wholeChart) {
        const MarkerPosition whole = markerPlacement(frame, markerWidth, markerHeight, age, weight);
        QVERIFY(sameFloat(whole.left, left) && sameFloat(whole.top, top));
    }
}

void ChartScale::keepsFarAwayAgesFinite()
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const double age : {1e300, -1e300, inf, -inf, std::nan(""), 3.6e6}) {
        const MarkerPosition position = markerPlacement(designFrame, 150, 135, age, 10000);
        QVERIFY2(std::isfinite(position.left), qPrintable(QString::number(age)));
        QVERIFY(sameFloat(position.top, 4117.5f));
    }
    QVERIFY(markerPlacement(designFrame, 150, 135, 1e300, 0).left > 1e38f);
    QVERIFY(markerPlacement(designFrame, 150, 135, -1e300, 0).left < -1e38f);
}

void ChartScale::takesTheFirstHiddenMarker_data()
{
    QTest::addColumn<int>("visibleBelow"); // markers 0 up to this one are shown
    QTest::addColumn<int>("hidden");       // ...except this one
    QTest::addColumn<int>("expected");

    QTest::newRow("none visible") << 0 << -1 << 0;
    QTest::newRow("first five visible") << 5 << -1 << 5;
    QTest::newRow("a gap is filled first") << 5 << 3 << 3;
    QTest::newRow("only the last of the pool free") << 108 << 106 << 106;
    QTest::newRow("all visible") << 108 << -1 << 0;
    QTest::newRow("marker 107 is never free") << 108 << 107 << 0;
}

void ChartScale::takesTheFirstHiddenMarker()
{
    QFETCH(int, visibleBelow);
    QFETCH(int, hidden);
    QFETCH(int, expected);
    int highestAsked = -1;
    const int index = firstFreeMarker([&](int i) {
        highestAsked = std::max(highestAsked, i);
        return i < visibleBelow && i != hidden;
    });
    QCOMPARE(index, expected);
    QVERIFY2(highestAsked < markerPoolSize, "asked about a marker beyond the pool");
}

QTEST_GUILESS_MAIN(ChartScale)
#include "tst_chart_scale.moc"
