#include "forms/Picture.h"

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

} // namespace

// Run at one device pixel to the logical one and again at a fractional screen scale.
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
        const bool oneToOne = qApp->devicePixelRatio() == 1;
        // A drawing without transparency would hide what lies beneath a transparent picture, and
        // one of another size would be out of place.
        const std::tuple<bool, QSize, bool> cases[] = {
            {true, {20, 10}, oneToOne}, {false, {20, 10}, false}, {true, {21, 10}, false}};
        for (const auto& [opaque, builtSize, showsBuilt] : cases) {
            QImage drawing(builtSize, QImage::Format_RGB32);
            drawing.fill(built);
            Picture picture(nullptr, {paint, drawing});
            picture.setOpaque(opaque);
            picture.setTwipRect({0, 0, 300, 150});
            const int paintedBefore = painted;
            QVERIFY2(showsOnly(picture, showsBuilt ? built : live),
                     "the picture shows the wrong drawing");
            QCOMPARE(painted - paintedBefore, showsBuilt ? 0 : 1);
        }
    }
};

QTEST_MAIN(OpeningDrawingsTest)
#include "tst_opening_drawings.moc"
