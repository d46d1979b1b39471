#include "app/StartUp.h"
#include "artwork/ChartArtwork.h"
#include "forms/Fonts.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace {

// The chart window's first paint, shown as the program shows it.
QImage firstPaint()
{
    PerZelpo window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return {};
    }
    return window.grab().toImage();
}

QImage filled(QSize size, qreal ratio, QImage::Format format, const QColor& colour)
{
    QImage image(size, format);
    image.setDevicePixelRatio(ratio);
    image.fill(colour);
    return image;
}

// Whether every pixel of the picture, as it paints itself, is `colour`.
bool showsOnly(Picture& picture, const QColor& colour)
{
    const QImage shown = picture.grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixelColor(x, y) != colour)
                return false;
    return !shown.isNull();
}

} // namespace

class OpeningDrawingsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void theChartWindowOpensWithTheSamePixelsWhenItsChartIsDrawnAhead()
    {
        const QImage live = firstPaint();
        QVERIFY2(!live.isNull(), "the chart window drawn live was never shown");
        const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
        const auto devicePixels = [ratio](zelpo::ChartSex sex) {
            return zelpo::chartPictureSize(sex) * ratio;
        };
        {
            const auto charts = drawOpeningChartsAhead();
            QCOMPARE(charts.size(), size_t(1));
            QVERIFY2(zelpo::ChartDrawnAhead::take(zelpo::ChartSex::Girls,
                                                  devicePixels(zelpo::ChartSex::Girls), ratio)
                         .isNull(),
                     "the girls' chart, hidden when the window opens, was drawn ahead");
            QVERIFY2(!zelpo::ChartDrawnAhead::take(zelpo::ChartSex::Boys,
                                                   devicePixels(zelpo::ChartSex::Boys), ratio)
                          .isNull(),
                     "the boys' chart was not drawn ahead at the screen's pixel ratio");
        }
        QImage ahead;
        {
            const auto charts = drawOpeningChartsAhead();
            ahead = firstPaint();
            QVERIFY2(zelpo::ChartDrawnAhead::take(zelpo::ChartSex::Boys,
                                                  devicePixels(zelpo::ChartSex::Boys), ratio)
                         .isNull(),
                     "the window did not take the boys' chart drawn ahead for it");
        }
        QCOMPARE(ahead.size(), live.size());
        QVERIFY2(ahead == live, "the window opens with other pixels when its chart is drawn ahead");
    }

    void aPictureShowsItsDrawingMadeAheadInsteadOfPaintingIt()
    {
        int painted = 0;
        QSize askedSize;
        qreal askedRatio = 0;
        const QColor live(20, 60, 200);
        const QColor ahead(220, 10, 10);
        const auto paint = [&painted, live](QPainter& painter) {
            ++painted;
            painter.fillRect(QRect(0, 0, 100, 100), live);
        };
        const auto opaqueAhead = [&](QSize devicePixels, qreal ratio) {
            askedSize = devicePixels;
            askedRatio = ratio;
            return filled(devicePixels, ratio, QImage::Format_RGB32, ahead);
        };

        // A drawing without transparency would hide what lies beneath a transparent picture.
        const auto nothingAhead = [](QSize, qreal) { return QImage(); };
        const std::tuple<bool, bool, QColor, int> cases[] = {
            {true, true, ahead, 0}, {false, true, live, 1}, {true, false, live, 2}};
        for (const auto& [opaque, drawnAhead, shows, paintedSoFar] : cases) {
            Picture picture(nullptr, {paint, drawnAhead ? Picture::Artwork::DrawnAhead(opaqueAhead)
                                                        : nothingAhead});
            picture.setOpaque(opaque);
            picture.setTwipRect({0, 0, 300, 150});
            QVERIFY2(showsOnly(picture, shows), "the picture shows the wrong drawing");
            QCOMPARE(painted, paintedSoFar);
        }
        QCOMPARE(askedSize, QSize(20, 10) * askedRatio);
    }
};

QTEST_MAIN(OpeningDrawingsTest)
#include "tst_opening_drawings.moc"
