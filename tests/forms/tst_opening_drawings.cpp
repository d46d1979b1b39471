#include "artwork/ChartArtwork.h"
#include "artwork/PanelArtwork.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "pictures/BuiltPictures.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

using namespace zelpo;

namespace {

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

// The picture as a window of `windowSize` shows it at `place`, where at a fractional screen
// scale it may begin inside a device pixel; black where it leaves a pixel unpainted.
QImage shownAt(QWidget& picture, QSize windowSize, QPoint place)
{
    const qreal ratio = qApp->devicePixelRatio();
    QImage window(windowSize * ratio, QImage::Format_RGB32);
    window.setDevicePixelRatio(ratio);
    window.fill(Qt::black);
    picture.render(&window, place, QRegion(), {});
    return window;
}

} // namespace

// Run at one device pixel to the logical one and again at the screen scales 1.25, 1.5 and 2.
class OpeningDrawingsTest : public QObject
{
    Q_OBJECT

private slots:
    void aPictureShowsItsBuiltDrawingOnlyWhereItFits()
    {
        int painted = 0;
        const QColor live(20, 60, 200);
        const QColor built(220, 10, 10);
        const auto paint = [&painted, live](QPainter& painter) {
            ++painted;
            painter.fillRect(QRect(0, 0, 100, 100), live);
        };
        const qreal ratio = qApp->devicePixelRatio();
        // A drawing without transparency would hide what lies beneath a transparent picture, and
        // one of another size or made for another screen density would be out of place.
        const std::tuple<bool, QSize, qreal, bool> cases[] = {{true, {20, 10}, ratio, true},
                                                              {false, {20, 10}, ratio, false},
                                                              {true, {21, 10}, ratio, false},
                                                              {true, {20, 10}, ratio + 1, false}};
        for (const auto& [opaque, builtSize, builtRatio, showsBuilt] : cases) {
            QImage drawing(builtSize * builtRatio, QImage::Format_RGB32);
            drawing.setDevicePixelRatio(builtRatio);
            drawing.fill(built);
            Picture picture(nullptr, {paint, [drawing](qreal) { return drawing; }});
            picture.setOpaque(opaque);
            picture.setTwipRect({0, 0, 300, 150});
            const int paintedBefore = painted;
            QVERIFY2(showsOnly(picture, showsBuilt ? built : live),
                     "the picture shows the wrong drawing");
            QCOMPARE(painted - paintedBefore, showsBuilt ? 0 : 1);
        }
    }

    void theChartWindowOpensWithItsBuiltPicturesExactlyAsDrawingThemShows()
    {
        if (qApp->devicePixelRatio() == 1)
            QSKIP("at one device pixel to the logical one the charts are built with the reference "
                  "drawing, which the built pictures' own test compares");
        PerZelpo window;
        const std::tuple<const char*, Picture::Artwork::Paint, Picture::Artwork::Built> openings[] =
            {{"Image4", [](QPainter& painter) { paintChart(painter, ChartSex::Boys); },
              [](qreal ratio) { return builtChart(ChartSex::Boys, ratio); }},
             {"Image1", paintPanel, builtPanel}};
        for (const auto& [control, paint, built] : openings) {
            auto* shown = window.findChild<Picture*>(QLatin1String(control));
            QVERIFY(shown);
            // Drawn, the second would be white: it can only show the built drawing.
            Picture drawn(nullptr, {paint}), builtOnly(nullptr, {[](QPainter&) {}, built});
            for (Picture* picture : {&drawn, &builtOnly}) {
                picture->setOpaque(true);
                picture->resize(shown->size());
            }
            const QImage expected = shownAt(drawn, window.size(), shown->pos());
            QVERIFY2(shownAt(builtOnly, window.size(), shown->pos()) == expected, control);
            QVERIFY2(shownAt(*shown, window.size(), shown->pos()) == expected, control);
        }
    }
};

QTEST_MAIN(OpeningDrawingsTest)
#include "tst_opening_drawings.moc"
