#include "forms/Shape.h"

#include <algorithm>

#include <QPainter>

Shape::Shape(QWidget* parent, ShapeForm form, int borderPixels)
    : QWidget(parent), TwipControl(this), m_form(form), m_borderPixels(borderPixels)
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
    // A wide outline is centred on the shape's edge, so it reaches past the rectangle.
    const int spill = (m_borderPixels - 1) / 2;
    return TwipControl::pixelGeometry().adjusted(-spill, -spill, spill, spill);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal inset = m_borderPixels / 2.0;
    QPen pen(m_border, m_borderPixels);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    if (m_form == ShapeForm::Rectangle) {
        painter.drawRect(box);
        return;
    }
    // A circle as wide as the box's shorter side, centred in it.
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal diameter = std::min(box.width(), box.height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.center());
    painter.drawEllipse(circle);
}
