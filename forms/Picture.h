#pragma once

#include "forms/TwipControl.h"

#include <functional>
#include <type_traits>

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A picture of the chart window, drawn by the program's own artwork at its own size, one pixel
// to 15 twips. The drawing is kept for the screen's pixel density, so repaints only copy it.
class Picture : public QWidget, public TwipControl
{
    Q_OBJECT

public:
    // How the picture is drawn: `paint` draws it in logical pixels from (0, 0). A picture whose
    // drawing may have been made ahead first asks `drawnAhead` for one of its own device size and
    // pixel ratio, which gives a null image when there is none.
    struct Artwork
    {
        using Paint = std::function<void(QPainter&)>;
        using DrawnAhead = std::function<QImage(QSize devicePixels, qreal pixelRatio)>;

        template <typename Painter>
        requires std::is_invocable_v<Painter&, QPainter&> Artwork(Painter painter)
            : paint(std::move(painter))
        {}
        Artwork(Paint painter, DrawnAhead ahead);

        Paint paint;
        DrawnAhead drawnAhead;
    };

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
