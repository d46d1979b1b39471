#pragma once

#include "forms/TwipControl.h"
#include "look/ChartWindowLayout.h"

#include <QColor>
#include <QWidget>

namespace zelpo {

// A rectangle of the chart window: the command strip's outline and the chart frame. Shapes take no
// pointer events: the pointer reaches the picture beneath. (The weighing markers, circles, are
// painted by their layer.)
class Shape : public QWidget, public TwipControl
{
    Q_OBJECT

public:
    Shape(QWidget* parent, int borderPixels);

    // An invalid colour leaves the inside transparent.
    void setFillColour(const QColor& fill);
    void setBorderColour(const QColor& border);
    QColor fillColour() const { return m_fill; }
    QColor borderColour() const { return m_border; }
    int borderPixels() const { return m_borderPixels; }

protected:
    QRect pixelGeometry() const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPen outlinePen() const;
    QRectF outlineBox() const;

    int m_borderPixels;
    QColor m_fill;
    QColor m_border;
};

} // namespace zelpo
