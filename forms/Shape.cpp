#include "forms/Shape.h"

#include "artwork/Outlines.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>

namespace zelpo {

Shape::Shape(QWidget* parent, ShapeForm form, int borderPixels)
    : QWidget(parent), TwipControl(this), m_form(form), m_borderPixels(borderPixels)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColour(const QColor& fill)
{
    m_fill = fill;
    m_drawn = QPixmap();
    update();
}

void Shape::setBorderColour(const QColor& border)
{
    m_border = border;
    m_drawn = QPixmap();
    update();
}

QRect Shape::pixelGeometry() const
{
    const int spill = zelpo::outlineSpill(m_borderPixels);
    return TwipControl::pixelGeometry().adjusted(-spill, -spill, spill, spill);
}

void Shape::paintEvent(QPaintEvent* event)
{
    if (m_form == ShapeForm::Rectangle) {
        paintRectangle(event->region());
        return;
    }
    // The weighing markers are circles and a stored history shows 107 of them at once: each
    // circle is drawn once, for the screen's pixel density, and every repaint after copies it.
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio ||
        m_drawn.deviceIndependentSize() != QSizeF(size())) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter artist(&m_drawn);
        drawCircle(artist);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_drawn);
}

QPen Shape::outlinePen() const
{
    return zelpo::outlinePen(m_border, m_borderPixels);
}

QRectF Shape::outlineBox() const
{
    return zelpo::outlineLine(QRectF(rect()), m_borderPixels);
}

void Shape::paintRectangle(const QRegion& area)
{
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

void Shape::drawCircle(QPainter& painter) const
{
    painter.setPen(outlinePen());
    painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(zelpo::markerCircle(outlineBox()));
}

} // namespace zelpo
