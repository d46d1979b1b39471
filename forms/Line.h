#pragma once

#include <QColor>
#include <QWidget>

namespace zelpo {

// A straight line of the chart window between (X1, Y1) and (X2, Y2), in twips held exactly as
// last set. Lines take no pointer events: the pointer reaches the picture beneath.
class Line : public QWidget
{
    Q_OBJECT

public:
    explicit Line(QWidget* parent);

    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }
    void setEnds(float x1, float y1, float x2, float y2);

    void setColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updatePixelGeometry();
    QPoint pixelEnd(float x, float y) const;

    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    QColor m_colour;
};

} // namespace zelpo
