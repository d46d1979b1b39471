#include "artwork/Outlines.h"

#include <algorithm>

#include <QColor>

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

} // namespace zelpo
