#include "artwork/ArrowArtwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace zelpo {

namespace {

// The arrow pointing straight up with its tip at the origin. Turned 45 degrees to the left, the
// edges of its head lie along the picture's top and left borders.
QPolygonF upwardArrow()
{
    constexpr double headHalfWidth = 10.5;
    constexpr double headLength = 10.5;
    constexpr double shaftHalfWidth = 3.6;
    constexpr double length = 36.5;
    return QPolygonF({{0, 0},
                      {headHalfWidth, headLength},
                      {shaftHalfWidth, headLength},
                      {shaftHalfWidth, length},
                      {-shaftHalfWidth, length},
                      {-shaftHalfWidth, headLength},
                      {-headHalfWidth, headLength}});
}

} // namespace

void paintArrow(QPainter& painter)
{
    const QTransform pointUpLeft = QTransform().rotate(-45);
    const QPolygonF arrow = pointUpLeft.map(upwardArrow());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRectF(QPointF(0, 0), kArrowPictureSize));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60, 45));
    painter.drawPolygon(arrow.translated(3.2, 3.2));
    painter.setBrush(QColor(60, 60, 60, 80));
    painter.drawPolygon(arrow.translated(2.2, 2.2));

    QLinearGradient body(QPointF(0, 0), QPointF(24, 24));
    body.setColorAt(0, QColor(58, 132, 222));
    body.setColorAt(1, QColor(24, 78, 168));
    painter.setPen(QPen(QColor(14, 50, 118), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(body);
    painter.drawPolygon(arrow);

    // Light falls from above: a white gleam just inside the head's top edge and the shaft's upper
    // edge, clipped to the body so that it never spills over the outline.
    QPainterPath bodyPath;
    bodyPath.addPolygon(arrow);
    bodyPath.closeSubpath();
    painter.setClipPath(bodyPath, Qt::IntersectClip);
    QPainterPath gleam;
    gleam.moveTo(1.2, 3.6);
    gleam.lineTo(7.0, 9.2);
    gleam.moveTo(2.0, 12.4);
    gleam.lineTo(2.0, 33.5);
    painter.setPen(
        QPen(QColor(255, 255, 255, 210), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(pointUpLeft.map(gleam));
    painter.restore();
}

} // namespace zelpo
