#pragma once

#include "forms/TwipControl.h"

#include <functional>
#include <type_traits>

#include <QImage>
#include <QWidget>

namespace zelpo {

// A picture of the chart window, drawn by the program's own artwork at its own size, one pixel
// to 15 twips. The drawing is kept for the screen's pixel density, so repaints only copy it.
class Picture : public QWidget, public TwipControl
{
    Q_OBJECT

public:
    // How the picture is drawn: `paint` draws it in logical pixels from (0, 0). A picture may come
    // with its drawing made already at some screen densities: `built` hands out the one made at a
    // density, or a null image, and the drawing is shown as it is on a screen of that density.
    struct Artwork
    {
        using Paint = std::function<void(QPainter&)>;
        using Built = std::function<QImage(qreal pixelRatio)>;

        template <typename Painter>
        requires std::is_invocable_v<Painter&, QPainter&> Artwork(Painter painter)
            : paint(std::move(painter))
        {}
        Artwork(Paint painter, Built drawings);

        Paint paint;
        Built built;
    };

    Picture(QWidget* parent, Artwork artwork);

    // Pictures that report the pointer follow it even with no button held.
    void setReportsPointer(bool reports);

    // An artwork that covers every pixel of the picture: it is kept without transparency and
    // nothing beneath it is painted, which makes the strips the cross-hair uncovers cheap.
    void setOpaque(bool opaque);

    // Shows another drawing in place of the picture's own artwork, such as the chart of another
    // view, until given an empty function: `drawing` makes it, the picture's size, for the
    // screen's pixel ratio when the picture is next painted, and again only when that ratio
    // changes. The artwork's own drawing is kept meanwhile, so showing it again draws nothing.
    void showInstead(std::function<QImage(qreal pixelRatio)> drawing);

signals:
    // The pointer's position in twips from the picture's top-left corner.
    void mouseMoved(float x, float y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const QImage& shownDrawing(qreal ratio);

    Artwork m_artwork;
    QImage m_drawn;
    bool m_opaque = false;
    std::function<QImage(qreal)> m_instead;
    QImage m_insteadDrawn;
};

} // namespace zelpo
