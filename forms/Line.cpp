#include "forms/Line.h"

#include "forms/TwipControl.h"

#include <QPainter>

namespace zelpo {

Line::Line(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setEnds(float x1, float y1, float x2, float y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    updatePixelGeometry();
}

void Line::setColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

QPoint Line::pixelEnd(float x, float y) const
{
    return {twipsToPixels(x), twipsToPixels(y)};
}

void Line::updatePixelGeometry()
{
    // The widget is just the pixels the line covers, so moving a cross-hair line repaints no
    // more than its old and new strip.
    const QRect covered = QRect(pixelEnd(m_x1, m_y1), pixelEnd(m_x2, m_y2)).normalized();
    if (geometry() != covered) {
        setGeometry(covered);
    }
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPoint origin = geometry().topLeft();
    const QPoint from = pixelEnd(m_x1, m_y1) - origin;
    const QPoint to = pixelEnd(m_x2, m_y2) - origin;
    // An upright or level line is exactly the strip of pixels it covers; filling that strip is
    // far cheaper than stroking a pen, and the cross-hair lines repaint on every pointer move.
    if (from.x() == to.x() || from.y() == to.y()) {
        painter.fillRect(QRect(from, to).normalized(), m_colour);
        return;
    }
    painter.setPen(QPen(m_colour, 1));
    painter.drawLine(from, to);
}

} // namespace zelpo
