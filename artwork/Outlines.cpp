#include "artwork/Outlines.h"

#include <algorithm>

#include <QColor>
#include <QLineF>
#include <QPainter>

namespace zelpo {

int outlineSpill(int borderPixels)
{
    return (borderPixels - 1) / 2;
}

QPen outlinePen(const QColor& colour, int borderPixels)
{
    QPen pen(colour, borderPixels);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QRectF outlineLine(const QRectF& box, int borderPixels)
{
    const qreal inset = borderPixels / 2.0;
    return box.adjusted(inset, inset, -inset, -inset);
}

QRectF markerCircle(const QRectF& outline)
{
    const qreal diameter = std::min(outline.width(), outline.height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(outline.center());
    return circle;
}

void paintBirthAgeMark(QPainter& painter, const QRectF& mark, QPointF marker, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1));
    const QRectF ring = markerCircle(mark.adjusted(0.5, 0.5, -0.5, -0.5));
    // The line starts at the ring's edge, so the ring stays hollow.
    QLineF line(ring.center(), marker);
    if (line.length() > ring.width() / 2) {
        line.setP1(line.pointAt(ring.width() / 2 / line.length()));
        painter.drawLine(line);
    }
    painter.restore();
    paintBirthAgeRing(painter, mark, colour);
}

void paintBirthAgeRing(QPainter& painter, const QRectF& mark, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(markerCircle(mark.adjusted(0.5, 0.5, -0.5, -0.5)));
    painter.restore();
}

void paintReviewRing(QPainter& painter, const QRectF& ring)
{
    // Two pixels wide, so that it shows around a marker of nine.
    constexpr qreal width = 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xE6, 0x9F, 0x00), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    painter.restore();
}

} // namespace zelpo
