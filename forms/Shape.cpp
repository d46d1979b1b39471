#include "forms/Shape.h"

#include "artwork/Outlines.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>

namespace zelpo {

Shape::Shape(QWidget* parent, int borderPixels)
    : QWidget(parent), TwipControl(this), m_borderPixels(borderPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColour(const QColor& fill)
{
    m_fill = fill;
    update();
}

void Shape::setBorderColour(const QColor& border)
{
    m_border = border;
    update();
}

QRect Shape::pixelGeometry() const
{
    const int spill = zelpo::outlineSpill(m_borderPixels);
    return TwipControl::pixelGeometry().adjusted(-spill, -spill, spill, spill);
}

void Shape::paintEvent(QPaintEvent* event)
{
    const QRegion& area = event->region();
    if (m_borderPixels <= 0) {
        QPainter painter(this);
        painter.setPen(outlinePen());
        painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
        painter.drawRect(outlineBox());
        return;
    }
    // The same pixels as the pen along the inset rectangle, as four bands cut to the area being
    // repainted: the chart frame is crossed by the cross-hair lines, and stroking or filling its
    // whole outline for each thin strip they uncover would cost more than the rest of the
    // repaint together.
    const QRect box = rect();
    const int band = m_borderPixels;
    const int sideHeight = box.height() - 2 * band;
    const QRect bands[] = {
        {box.left(), box.top(), box.width(), band},
        {box.left(), box.bottom() - band + 1, box.width(), band},
        {box.left(), box.top() + band, band, sideHeight},
        {box.right() - band + 1, box.top() + band, band, sideHeight},
    };
    // The cross-hair mostly uncovers the chart inside an unfilled frame: nothing to paint.
    const auto touchesOutline = [&area](const QRect& part) { return area.intersects(part); };
    if (!m_fill.isValid() && std::ranges::none_of(bands, touchesOutline)) {
        return;
    }
    // Each piece is filled within a clip of its own rectangle, which makes it a block fill;
    // within the whole area, with the cross-hair's several strips, it goes pixel run by run.
    QPainter painter(this);
    const auto fill = [&painter](const QRect& piece, const QColor& colour) {
        if (!piece.isEmpty()) {
            painter.setClipRect(piece);
            painter.fillRect(piece, colour);
        }
    };
    for (const QRect& repainted : area) {
        if (m_fill.isValid()) {
            fill(box & repainted, m_fill);
        }
        for (const QRect& part : bands) {
            fill(part & repainted, m_border);
        }
    }
}

QPen Shape::outlinePen() const
{
    return zelpo::outlinePen(m_border, m_borderPixels);
}

QRectF Shape::outlineBox() const
{
    return zelpo::outlineLine(QRectF(rect()), m_borderPixels);
}

} // namespace zelpo
