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

void Picture::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(Qt::transparent);
        QPainter artist(&m_drawn);
        artist.setRenderHint(QPainter::Antialiasing);
        m_artwork(artist);
    }
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawPixmap(area, m_drawn,
                       QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect());
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
