#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/Shape.h"
#include "forms/TwipControl.h"

#include <algorithm>
#include <cstdlib>

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace zelpo;

namespace {

const QColor paper(250, 248, 240);
const QColor ink(20, 40, 200);
const QColor red(220, 0, 0);

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(paper);
    return image;
}

// The control as it paints itself over paper, only inside `area` when one is given.
QImage painted(QWidget& control, const QRegion& area = QRegion())
{
    QImage image = blank(control.size());
    control.render(&image, QPoint(), area, QWidget::RenderFlags());
    return image;
}

// An outline as a pen of the border's width draws it along `box` inset by half of it.
void drawPenOutline(QPainter& painter, QRectF box, int border, const QColor& fill, bool antialiased,
                    bool circle, const QColor& colour = ink)
{
    QPen pen(colour, border);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(fill.isValid() ? QBrush(fill) : Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    const qreal inset = border / 2.0;
    box.adjust(inset, inset, -inset, -inset);
    if (!circle) {
        painter.drawRect(box);
        return;
    }
    const qreal diameter = std::min(box.width(), box.height());
    QRectF round(0, 0, diameter, diameter);
    round.moveCenter(box.center());
    painter.drawEllipse(round);
}

QImage penOutline(QSize size, int border, const QColor& fill, bool antialiased, bool circle,
                  const QColor& colour = ink)
{
    QImage image = blank(size);
    QPainter painter(&image);
    drawPenOutline(painter, QRectF(QPointF(0, 0), QSizeF(size)), border, fill, antialiased, circle,
                   colour);
    return image;
}

// The largest difference of any colour channel of any pixel; -1 when the sizes differ.
int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return -1;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

QImage onlyInside(const QImage& image, const QRegion& area)
{
    QImage kept = blank(image.size());
    QPainter painter(&kept);
    painter.setClipRegion(area);
    painter.drawImage(0, 0, image);
    return kept;
}

} // namespace

class FastOutlinesTest : public QObject
{
    Q_OBJECT

private slots:
    void rectanglesMatchThePen_data();
    void rectanglesMatchThePen();
    void uprightAndLevelLinesMatchThePen_data();
    void uprightAndLevelLinesMatchThePen();
    void markersArePaintedByTheirLayerAsThePenDrawsThem();
};

void FastOutlinesTest::rectanglesMatchThePen_data()
{
    QTest::addColumn<int>("border");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QRegion>("area");
    const QRegion whole;
    // Two thin strips across the frame, as the cross-hair lines leave when they move.
    const QRegion strips = QRegion(17, 0, 1, 30) + QRegion(0, 21, 40, 1);
    for (int border : {1, 2, 3, 4}) {
        QTest::addRow("border %d, empty, whole", border) << border << QColor() << whole;
        QTest::addRow("border %d, filled, whole", border) << border << red << whole;
        QTest::addRow("border %d, empty, two strips", border) << border << QColor() << strips;
        QTest::addRow("border %d, filled, two strips", border) << border << red << strips;
    }
}

void FastOutlinesTest::rectanglesMatchThePen()
{
    QFETCH(int, border);
    QFETCH(QColor, fill);
    QFETCH(QRegion, area);
    Shape shape(nullptr, border);
    shape.setBorderColour(ink);
    shape.setFillColour(fill);
    shape.resize(40, 30);

    QImage expected = penOutline(shape.size(), border, fill, false, false);
    QImage actual = painted(shape, area);
    if (!area.isEmpty()) {
        expected = onlyInside(expected, area);
        actual = onlyInside(actual, area);
        QCOMPARE(painted(shape, area), actual); // and nothing painted outside the area
    }
    QCOMPARE(largestDifference(actual, expected), 0);
}

void FastOutlinesTest::uprightAndLevelLinesMatchThePen_data()
{
    QTest::addColumn<QRect>("ends"); // x1, y1, x2, y2 in pixels, held in a rectangle's corners
    QTest::newRow("upright, downwards") << QRect(QPoint(5, 2), QPoint(5, 40));
    QTest::newRow("upright, upwards") << QRect(QPoint(9, 40), QPoint(9, 3));
    QTest::newRow("level, rightwards") << QRect(QPoint(2, 7), QPoint(50, 7));
    QTest::newRow("level, leftwards") << QRect(QPoint(50, 4), QPoint(6, 4));
}

void FastOutlinesTest::uprightAndLevelLinesMatchThePen()
{
    QFETCH(QRect, ends);
    const QPoint from = ends.topLeft();
    const QPoint to = ends.bottomRight();
    Line line(nullptr);
    line.setColour(ink);
    line.setEnds(from.x() * kTwipsPerPixel, from.y() * kTwipsPerPixel, to.x() * kTwipsPerPixel,
                 to.y() * kTwipsPerPixel);
    QCOMPARE(line.geometry(), QRect(from, to).normalized());

    QImage expected = blank(line.size());
    QPainter pen(&expected);
    pen.setPen(QPen(ink, 1));
    pen.drawLine(from - line.pos(), to - line.pos());
    pen.end();
    QCOMPARE(largestDifference(painted(line), expected), 0);
}

void FastOutlinesTest::markersArePaintedByTheirLayerAsThePenDrawsThem()
{
    QWidget window;
    window.resize(60, 40);
    // Three markers, 4 to 6, filled red.
    ControlSpec declared;
    declared.name = "sh";
    declared.index = 4;
    declared.count = 3;
    declared.kind = ControlKind::Shape;
    declared.rect = {0, 0, 150, 135};
    declared.visible = false;
    declared.background = 0xFF;
    declared.shapeForm = ShapeForm::Circle;
    MarkerLayer layer(&window, declared);
    QCOMPARE(layer.count(), 3);
    // Marker 5 overlaps marker 6 and lies above it, as the lower index lies above in the layout;
    // marker 4, far outside the window, and the hidden ones paint nothing.
    layer.marker(5)->setTwipRect({150, 75, 150, 135});
    layer.marker(6)->setTwipRect({225, 150, 240, 240});
    layer.marker(4)->setTwipRect({-1e6f, 0, 150, 135});
    for (int index : {4, 5, 6}) {
        layer.marker(index)->show();
    }
    QImage expected = blank(layer.size());
    QPainter pen(&expected);
    for (int index : {6, 5}) {
        drawPenOutline(pen, layer.marker(index)->geometry(), 1, Qt::red, true, true,
                       layer.borderColour());
    }
    pen.end();
    // The pen's circles are drawn on paper of their own, the layer's onto the paper: edge pixels
    // may differ by the rounding of a softened edge, no more.
    QVERIFY(largestDifference(painted(layer), expected) <= 2);

    // A pointer move repaints crossing strips, each painted on its own, one along the edge of
    // marker 6: within them, the same pixels as the layer painted whole, the mark of an age from
    // birth and its line included.
    layer.marker(6)->setFromBirth(TwipRect{30, 225, 90, 90});
    const QRegion strips = QRegion(30, 0, 1, 40) + QRegion(0, 17, 60, 1) + QRegion(3, 14, 3, 3);
    // At every screen scale, where a strip's edge may fall inside a device pixel.
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        const auto paintedAt = [&](const QRegion& area) {
            QImage image(layer.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(paper);
            layer.render(&image, QPoint(), area, QWidget::RenderFlags());
            QImage kept(image.size(), image.format());
            kept.setDevicePixelRatio(ratio);
            kept.fill(paper);
            QPainter keeper(&kept);
            keeper.setClipRegion(strips);
            keeper.drawImage(0, 0, image);
            keeper.end();
            return kept;
        };
        QCOMPARE(paintedAt(strips), paintedAt(QRegion()));
    }

    layer.marker(5)->hide();
    const QImage withoutFive = painted(layer);
    QCOMPARE(withoutFive.pixelColor(layer.marker(5)->geometry().topLeft() + QPoint(5, 4)), paper);
    QCOMPARE(withoutFive.pixelColor(layer.marker(6)->geometry().center()), QColor(Qt::red));
}

QTEST_MAIN(FastOutlinesTest)
#include "tst_fast_outlines.moc"
