#include "forms/Picture.h"

#include "artwork/DrawnArtwork.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace zelpo {

Picture::Picture(QWidget* parent, Artwork artwork)
    : QWidget(parent), TwipControl(this), m_artwork(std::move(artwork))
{
    // The pictures lie over the window; the pointer over one belongs to it, not to the window.
    setAttribute(Qt::WA_NoMousePropagation);
}

Picture::Artwork::Artwork(Paint painter, Built drawings)
    : paint(std::move(painter)), built(std::move(drawings))
{}

void Picture::setReportsPointer(bool reports)
{
    setMouseTracking(reports);
}

void Picture::setOpaque(bool opaque)
{
    m_opaque = opaque;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    m_drawn = QImage();
    update();
}

void Picture::showInstead(std::function<QImage(qreal)> drawing)
{
    m_instead = std::move(drawing);
    m_insteadDrawn = QImage();
    update();
}

const QImage& Picture::shownDrawing(qreal ratio)
{
    if (m_instead) {
        if (m_insteadDrawn.isNull() || m_insteadDrawn.devicePixelRatio() != ratio) {
            m_insteadDrawn = m_instead(ratio);
        }
        return m_insteadDrawn;
    }
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio) {
        const QImage built = m_artwork.built ? m_artwork.built(ratio) : QImage();
        // Opaque, it is drawn without transparency, so a repaint copies it instead of blending it;
        // a built drawing serves only a picture of its own size, density and opacity.
        if (built.devicePixelRatio() == ratio && built.size() == size() * ratio &&
            built.hasAlphaChannel() != m_opaque) {
            m_drawn = built;
        } else {
            m_drawn = zelpo::drawArtwork(size(), ratio, m_opaque, m_artwork.paint);
        }
    }
    return m_drawn;
}

void Picture::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const QImage& drawn = shownDrawing(ratio);
    // Rectangle by rectangle: a copy clipped to one rectangle is a plain block copy, while the
    // same copy clipped to the cross-hair's several strips at once goes pixel run by pixel run.
    // The whole drawing is placed each time and the clip picks the area: copying a part of it
    // into a part of the picture scales it at a fractional screen scale, which leaves the far
    // pixel row of the area unpainted.
    // At a fractional scale the picture's far edge may end inside a device pixel that the
    // drawing, whole pixels large, stops short of: a copy one device pixel further down and right
    // lies beneath, so that the edge's last row and column fill it. It is needed only along the
    // edge, from a little inside it, where the copy on top covers whatever else it places.
    const bool edgeMayFallShort = m_opaque && ratio != std::floor(ratio);
    const QSizeF inside = QSizeF(drawn.size() - QSize(2, 2)) / ratio;
    const QRectF beyond(QPointF(0, 0), QSizeF(size() + QSize(1, 1)));
    const QRectF edges[] = {beyond.adjusted(inside.width(), 0, 0, 0),
                            beyond.adjusted(0, inside.height(), 0, 0)};
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        if (edgeMayFallShort) {
            for (const QRectF& edge : edges) {
                if (!edge.intersects(area)) {
                    continue;
                }
                painter.setClipRect(area);
                painter.setClipRect(edge, Qt::IntersectClip);
                painter.drawImage(QPointF(1 / ratio, 1 / ratio), drawn);
            }
        }
        painter.setClipRect(area);
        painter.drawImage(QPointF(0, 0), drawn);
    }
}

void Picture::mouseMoveEvent(QMouseEvent* event)
{
    if (!hasMouseTracking()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const TwipPoint at = pointerTwips(event->position());
    emit mouseMoved(at.x, at.y, event->buttons(), event->modifiers());
}

} // namespace zelpo
