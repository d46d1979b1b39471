#pragma once

#include "forms/ChartWindowLayout.h"
#include "forms/TwipControl.h"

#include <QColor>
#include <QPixmap>
#include <QVariant>
#include <QWidget>

namespace zelpo {

// A rectangle or circle of the chart window: the command strip's outline, the chart frame and
// the weighing markers. Shapes take no pointer events: the pointer reaches the picture beneath.
class Shape : public QWidget, public TwipControl
{
    Q_OBJECT

public:
    Shape(QWidget* parent, ShapeForm form, int borderPixels);

    // An invalid colour leaves the inside transparent.
    void setFillColour(const QColor& fill);
    void setBorderColour(const QColor& border);
    QColor fillColour() const { return m_fill; }
    QColor borderColour() const { return m_border; }
    int borderPixels() const { return m_borderPixels; }

    // Whatever the program keeps with the shape, as a control's Tag holds it: a weighing marker
    // keeps the weighing it shows.
    void setTag(const QVariant& tag) { m_tag = tag; }
    const QVariant& tag() const { return m_tag; }

protected:
    QRect pixelGeometry() const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPen outlinePen() const;
    QRectF outlineBox() const;
    void paintRectangle(const QRegion& area);
    void drawCircle(QPainter& painter) const;

    ShapeForm m_form;
    int m_borderPixels;
    QColor m_fill;
    QColor m_border;
    QPixmap m_drawn; // a circle as last drawn
    QVariant m_tag;
};

} // namespace zelpo
