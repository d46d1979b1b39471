#include "forms/Picture.h"

#include <QMouseEvent>
#include <QPainter>

Picture::Picture(QWidget* parent, Artwork artwork)
    : QWidget(parent), TwipControl(this), m_artwork(std::move(artwork))
{
    // The pictures lie over the window; the pointer over one belongs to it, not to the window.
    setAttribute(Qt::WA_NoMousePropagation);
}

void Picture::setReportsPointer(bool reports)
{
    setMouseTracking(reports);
}

void Picture::setOpaque(bool opaque)
{
    m_opaque = opaque;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    m_drawn = QPixmap();
    update();
}

void Picture::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        // A pixmap filled with an opaque colour is kept in the screen's own format, so a
        // repaint copies it instead of blending it.
        m_drawn.fill(m_opaque ? Qt::white : Qt::transparent);
        QPainter artist(&m_drawn);
        artist.setRenderHint(QPainter::Antialiasing);
        m_artwork(artist);
    }
    // Rectangle by rectangle: a copy clipped to one rectangle is a plain block copy, while the
    // same copy clipped to the cross-hair's several strips at once goes pixel run by pixel run.
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        painter.setClipRect(area);
        painter.drawPixmap(area, m_drawn,
                           QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect());
    }
}

void Picture::mouseMoveEvent(QMouseEvent* event)
{
    if (!hasMouseTracking()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF at = event->position();
    emit mouseMoved(static_cast<float>(at.x()) * kTwipsPerPixel,
                    static_cast<float>(at.y()) * kTwipsPerPixel, event->buttons(),
                    event->modifiers());
}
