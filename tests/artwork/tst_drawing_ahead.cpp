#include "artwork/ChartArtwork.h"
#include "artwork/DrawingAhead.h"
#include "artwork/IconArtwork.h"

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
    void iconDrawnAheadOrAtAnySizeIsTheIconDrawnLive();
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
        QVERIFY2(ChartDrawnAhead::take(sex, devicePixels, ratio).isNull(),
                 "a chart was handed over with no drawing ahead");
        const ChartDrawnAhead drawing(sex, ratio);
        const ChartSex other = sex == ChartSex::Boys ? ChartSex::Girls : ChartSex::Boys;
        // Handed over only for its own sex, size and ratio, and only once.
        QVERIFY(ChartDrawnAhead::take(other, chartPictureSize(other) * ratio, ratio).isNull());
        QVERIFY(ChartDrawnAhead::take(sex, devicePixels + QSize(1, 0), ratio).isNull());
        QVERIFY(ChartDrawnAhead::take(sex, devicePixels, ratio + 0.5).isNull());
        ahead = ChartDrawnAhead::take(sex, devicePixels, ratio);
        QVERIFY(ChartDrawnAhead::take(sex, devicePixels, ratio).isNull());
    }
    QVERIFY2(!ahead.isNull(), "the chart drawn ahead was not handed over");
    QCOMPARE(ahead.devicePixelRatio(), ratio);
    QVERIFY2(!ahead.hasAlphaChannel(), "an opaque chart was drawn with transparency");
    QCOMPARE(ahead, expected);
    QCOMPARE(drawArtwork(chartPictureSize(sex), ratio, true,
                         [sex](QPainter& painter) { paintChart(painter, sex); }),
             expected);
}

void DrawingAheadTest::iconDrawnAheadOrAtAnySizeIsTheIconDrawnLive()
{
    const QIcon icon = zelpoIcon();
    QCOMPARE(icon.availableSizes().size(), 7);
    QList<QImage> live;
    for (const QSize& size : icon.availableSizes())
        live.append(iconPixmap(icon, size));
    {
        const IconDrawnAhead ahead(1.0);
        QVERIFY2(IconDrawnAhead::find(20).isNull(),
                 "a size the icon does not offer was drawn ahead");
        // Asked for twice, as by the two windows made at start-up.
        for (int i = 0; i < live.size() * 2; ++i)
            QCOMPARE(iconPixmap(icon, icon.availableSizes().at(i % live.size())),
                     live.at(i % live.size()));
    }
    QVERIFY2(IconDrawnAhead::find(256).isNull(), "the drawing ahead outlived its owner");

    // An unusual size is drawn at that size, not scaled from a neighbour; a request that is not
    // square gets the largest square that fits. On a denser screen windows ask in device pixels.
    QCOMPARE(iconPixmap(icon, QSize(20, 20)),
             renderIconImage(20).convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(iconPixmap(icon, QSize(40, 30)),
             renderIconImage(30).convertToFormat(QImage::Format_ARGB32));
    const IconDrawnAhead dense(1.5);
    QVERIFY2(IconDrawnAhead::find(16).isNull(), "a size was drawn ahead at the wrong density");
    for (int side : {24, 36, 72, 384})
        QCOMPARE(IconDrawnAhead::find(side),
                 renderIconImage(side).convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(DrawingAheadTest)
#include "tst_drawing_ahead.moc"
