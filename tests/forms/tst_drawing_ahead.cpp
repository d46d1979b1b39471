#include "forms/artwork/ChartArtwork.h"
#include "forms/artwork/DrawingAhead.h"
#include "forms/artwork/IconArtwork.h"
#include "forms/artwork/PercentileCurves.h"

#include <QPainter>
#include <QPixmap>
#include <QTest>

using namespace zelpo;

Q_DECLARE_METATYPE(zelpo::ChartSex)

namespace {

// The chart as the toolkit paints it straight onto a pixmap of the picture's size, the way a
// picture drew it before anything was drawn ahead.
QImage chartPaintedOnPixmap(ChartSex sex, qreal ratio)
{
    QPixmap pixmap(chartPictureSize(sex) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintChart(painter, sex);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// Where two pictures differ, for a failure message; empty when they are the same.
QString difference(const QImage& seen, const QImage& expected, const QString& name)
{
    if (seen.size() != expected.size())
        return QStringLiteral("%1 is %2x%3 pixels, not %4x%5")
            .arg(name)
            .arg(seen.width())
            .arg(seen.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x)
            if (seen.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("%1 differs first at (%2, %3)").arg(name).arg(x).arg(y);
    return {};
}

QImage iconPixmap(const QIcon& icon, QSize size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class DrawingAheadTest : public QObject
{
    Q_OBJECT

private slots:
    void chartsDrawnAheadHaveThePixelsOfTheLiveDrawing_data();
    void chartsDrawnAheadHaveThePixelsOfTheLiveDrawing();
    void aChartDrawnAheadIsHandedOnceAndOnlyForItsSizeAndRatio();
    void curvesGiveTheSameWeightsWithSlopesWorkedOutOnceOrAtEveryUse();
    void iconOffersTheUsualSizesAndDrawsAnySizeCrisply();
    void iconDrawnAheadIsTheIconDrawnLive();
};

void DrawingAheadTest::chartsDrawnAheadHaveThePixelsOfTheLiveDrawing_data()
{
    QTest::addColumn<ChartSex>("sex");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QTest::addRow("girls at %gx", ratio) << ChartSex::Girls << ratio;
        QTest::addRow("boys at %gx", ratio) << ChartSex::Boys << ratio;
    }
}

void DrawingAheadTest::chartsDrawnAheadHaveThePixelsOfTheLiveDrawing()
{
    QFETCH(ChartSex, sex);
    QFETCH(qreal, ratio);
    const QImage expected = chartPaintedOnPixmap(sex, ratio);
    const QSize devicePixels = chartPictureSize(sex) * ratio;
    QImage ahead;
    {
        const ChartDrawnAhead drawing(sex, ratio);
        ahead = ChartDrawnAhead::take(sex, devicePixels, ratio);
    }
    QVERIFY2(!ahead.isNull(), "the chart drawn ahead was not handed over");
    QCOMPARE(ahead.devicePixelRatio(), ratio);
    QVERIFY2(!ahead.hasAlphaChannel(), "an opaque chart was drawn with transparency");
    const QString aheadFault = difference(ahead, expected, QStringLiteral("chart-ahead"));
    QVERIFY2(aheadFault.isEmpty(), qPrintable(aheadFault));

    const QImage live = drawArtwork(chartPictureSize(sex), ratio, true,
                                    [sex](QPainter& painter) { paintChart(painter, sex); });
    const QString liveFault = difference(live, expected, QStringLiteral("chart-live"));
    QVERIFY2(liveFault.isEmpty(), qPrintable(liveFault));
}

void DrawingAheadTest::aChartDrawnAheadIsHandedOnceAndOnlyForItsSizeAndRatio()
{
    const QSize boys = chartPictureSize(ChartSex::Boys);
    QVERIFY2(ChartDrawnAhead::take(ChartSex::Boys, boys, 1).isNull(),
             "a chart was handed over with no drawing ahead");
    const ChartDrawnAhead drawing(ChartSex::Boys, 2);
    QVERIFY2(
        ChartDrawnAhead::take(ChartSex::Girls, chartPictureSize(ChartSex::Girls) * 2, 2).isNull(),
        "the girls' chart was handed over from the boys' drawing");
    QVERIFY2(ChartDrawnAhead::take(ChartSex::Boys, boys * 2, 1).isNull(),
             "a drawing made at 2x was handed over for 1x");
    QVERIFY2(ChartDrawnAhead::take(ChartSex::Boys, boys * 2 + QSize(1, 0), 2).isNull(),
             "a drawing was handed over to a picture of another size");
    QVERIFY2(!ChartDrawnAhead::take(ChartSex::Boys, boys * 2, 2).isNull(),
             "the drawing was not handed over to a picture of its size and ratio");
    QVERIFY2(ChartDrawnAhead::take(ChartSex::Boys, boys * 2, 2).isNull(),
             "the drawing was handed over twice");
}

void DrawingAheadTest::curvesGiveTheSameWeightsWithSlopesWorkedOutOnceOrAtEveryUse()
{
    for (ChartSex sex : {ChartSex::Girls, ChartSex::Boys})
        for (const PercentileCurve& curve : percentileCurves(sex)) {
            QCOMPARE(curve.slopes.size(), curve.knots.size());
            PercentileCurve withoutSlopes = curve;
            withoutSlopes.slopes.clear();
            for (double months = -1; months <= 73; months += 0.05) {
                const double cached = kilograms(curve, months);
                const double workedOut = kilograms(withoutSlopes, months);
                QVERIFY2(cached == workedOut,
                         qPrintable(QStringLiteral("percentile %1 at %2 months: %3 kg with the "
                                                   "slopes kept, %4 kg worked out")
                                        .arg(curve.percentile)
                                        .arg(months)
                                        .arg(cached, 0, 'g', 17)
                                        .arg(workedOut, 0, 'g', 17)));
            }
        }
}

void DrawingAheadTest::iconOffersTheUsualSizesAndDrawsAnySizeCrisply()
{
    const QIcon icon = zelpoIcon();
    QList<QSize> offered;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        offered.append(QSize(side, side));
    QCOMPARE(icon.availableSizes(), offered);

    // An unusual size is drawn at that size, not scaled from a neighbour; a request that is not
    // square gets the largest square that fits.
    for (const auto& [asked, side] : {std::pair(QSize(48, 48), 48), std::pair(QSize(20, 20), 20),
                                      std::pair(QSize(40, 30), 30)}) {
        const QImage expected = renderIconImage(side).convertToFormat(QImage::Format_ARGB32);
        const QString fault =
            difference(iconPixmap(icon, asked), expected, QStringLiteral("icon-%1").arg(side));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // Painted into a wider rectangle, the square stands in its middle.
    QImage canvas(60, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        icon.paint(&painter, canvas.rect());
    }
    const QImage expected = renderIconImage(40);
    const QString fault =
        difference(canvas.copy(10, 0, 40, 40), expected, QStringLiteral("icon-painted"));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(qAlpha(canvas.pixel(5, 20)), 0);
}

void DrawingAheadTest::iconDrawnAheadIsTheIconDrawnLive()
{
    const QIcon icon = zelpoIcon();
    QList<QImage> live;
    for (const QSize& size : icon.availableSizes())
        live.append(iconPixmap(icon, size));
    {
        const IconDrawnAhead ahead(1.0);
        QVERIFY2(IconDrawnAhead::find(20).isNull(),
                 "a size the icon does not offer was drawn ahead");
        for (int i = 0; i < live.size(); ++i) {
            const QSize size = icon.availableSizes().at(i);
            QCOMPARE(IconDrawnAhead::find(size.width()).format(), QImage::Format_ARGB32);
            // Asked for twice, as by the two windows made at start-up.
            for (const char* window : {"first", "second"}) {
                const QString fault = difference(iconPixmap(icon, size), live.at(i),
                                                 QStringLiteral("icon-ahead-%1-%2")
                                                     .arg(size.width())
                                                     .arg(QLatin1String(window)));
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
            }
        }
    }
    QVERIFY2(IconDrawnAhead::find(256).isNull(), "the drawing ahead outlived its owner");

    // On a denser screen windows ask for every size in device pixels.
    const IconDrawnAhead dense(1.5);
    QVERIFY2(IconDrawnAhead::find(16).isNull(), "a size was drawn ahead at the wrong density");
    for (int side : {24, 36, 72, 384}) {
        const QString fault =
            difference(IconDrawnAhead::find(side),
                       renderIconImage(side).convertToFormat(QImage::Format_ARGB32),
                       QStringLiteral("icon-dense-%1").arg(side));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
}

QTEST_MAIN(DrawingAheadTest)
#include "tst_drawing_ahead.moc"
