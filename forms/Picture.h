#pragma once

#include "forms/TwipControl.h"

#include <functional>

#include <QPixmap>
#include <QWidget>

// A picture of the chart window, drawn by the program's own artwork at its own size, one pixel
// to 15 twips. The drawing is kept for the screen's pixel density, so repaints only copy it.
class Picture : public QWidget, public TwipControl
{
    Q_OBJECT

public:
    using Artwork = std::function<void(QPainter&)>;

    Picture(QWidget* parent, Artwork artwork);

    // Pictures that report the pointer follow it even with no button held.
    void setReportsPointer(bool reports);

    // An artwork that covers every pixel of the picture: it is kept without transparency and
    // nothing beneath it is painted, which makes the strips the cross-hair uncovers cheap.
    void setOpaque(bool opaque);

signals:
    // The pointer's position in twips from the picture's top-left corner.
    void mouseMoved(float x, float y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Artwork m_artwork;
    QPixmap m_drawn;
    bool m_opaque = false;
};
