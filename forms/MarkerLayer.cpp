#include "forms/MarkerLayer.h"

#include "artwork/Outlines.h"

#include <QPaintEvent>
#include <QPainter>

namespace zelpo {

Marker::Marker(MarkerLayer& layer, const TwipRect& rect, bool shown)
    : m_layer(layer), m_rect(rect), m_geometry(layer.pixelGeometry(rect)), m_hidden(!shown)
{}

void Marker::changeTo(const TwipRect& rect, const std::optional<TwipRect>& fromBirth,
                      bool hidden)
{
    const QRect before = m_hidden ? QRect() : paintedArea();
    m_rect = rect;
    m_geometry = m_layer.pixelGeometry(rect);
    m_fromBirth = fromBirth;
    m_hidden = hidden;
    const QRect after = m_hidden ? QRect() : paintedArea();
    if (before != after) {
        m_layer.repaint(before);
        m_layer.repaint(after);
    }
}

void Marker::setTwipRect(const TwipRect& rect)
{
    changeTo(rect, m_fromBirth, m_hidden);
}

void Marker::setFromBirth(const std::optional<TwipRect>& mark)
{
    const bool same = mark.has_value() == m_fromBirth.has_value() &&
                      (!mark || (mark->left == m_fromBirth->left && mark->top == m_fromBirth->top));
    if (!same) {
        changeTo(m_rect, mark, m_hidden);
    }
}

std::optional<QRectF> Marker::fromBirth() const
{
    if (!m_fromBirth) {
        return std::nullopt;
    }
    return QRectF(m_fromBirth->left / kTwipsPerPixel, m_fromBirth->top / kTwipsPerPixel,
                  m_fromBirth->width / kTwipsPerPixel, m_fromBirth->height / kTwipsPerPixel);
}

QRect Marker::paintedArea() const
{
    const std::optional<QRectF> mark = fromBirth();
    // The mark's softened edge and line reach a pixel past it.
    return mark ? m_geometry.united(mark->toAlignedRect().adjusted(-1, -1, 1, 1)) : m_geometry;
}

bool Marker::isVisible() const
{
    return !m_hidden && m_layer.isVisible();
}

void Marker::setVisible(bool visible)
{
    if (m_hidden == visible) {
        changeTo(m_rect, m_fromBirth, !visible);
    }
}

QColor Marker::fillColour() const
{
    return m_layer.fillColour();
}

QColor Marker::borderColour() const
{
    return m_layer.borderColour();
}

int Marker::borderPixels() const
{
    return m_layer.borderPixels();
}

MarkerLayer::MarkerLayer(QWidget* window, const ControlSpec& declared)
    : QWidget(window), m_firstIndex(declared.index), m_borderPixels(declared.borderPixels)
{
    setObjectName(QStringLiteral("markerLayer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
    m_border = resolveColour(declared.foreground, palette());
    if (declared.background) {
        m_fill = resolveColour(*declared.background, palette());
    }
    for (int member = 0; member < declared.count; ++member) {
        m_markers.emplace_back(*this, declared.rect, declared.visible);
    }
}

QRect MarkerLayer::pixelGeometry(const TwipRect& rect) const
{
    // As every control's, widened by the part of a wide outline that lies outside the rectangle.
    const int left = twipsToPixels(rect.left);
    const int top = twipsToPixels(rect.top);
    const int right = twipsToPixels(rect.left + rect.width);
    const int bottom = twipsToPixels(rect.top + rect.height);
    const int spill = outlineSpill(m_borderPixels);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top))
        .adjusted(-spill, -spill, spill, spill);
}

void MarkerLayer::repaint(const QRect& area)
{
    if (!area.isEmpty()) {
        update(area);
    }
}

const QPixmap& MarkerLayer::circle(QSize size)
{
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_drawnRatio) {
        m_drawn.clear();
        m_drawnRatio = ratio;
    }
    QPixmap& drawn = m_drawn[size];
    if (drawn.isNull()) {
        drawn = QPixmap(size * ratio);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(Qt::transparent);
        QPainter artist(&drawn);
        artist.setPen(outlinePen(m_border, m_borderPixels));
        artist.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
        artist.setRenderHint(QPainter::Antialiasing);
        artist.drawEllipse(
            markerCircle(outlineLine(QRectF(QPointF(), QSizeF(size)), m_borderPixels)));
    }
    return drawn;
}

void MarkerLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The marks of the ages from birth lie beneath every marker.
    for (const Marker& marker : m_markers) {
        const std::optional<QRectF> mark = marker.fromBirth();
        if (mark && !marker.isHidden() && event->region().intersects(marker.paintedArea())) {
            paintBirthAgeMark(painter, *mark, QRectF(marker.geometry()).center(), m_fill);
        }
    }
    // From the highest index to the lowest, so that the lower lies above, as the layout stacks
    // its members; only the circles the repainted area crosses are copied.
    for (auto marker = m_markers.crbegin(); marker != m_markers.crend(); ++marker) {
        if (!marker->isHidden() && event->region().intersects(marker->geometry())) {
            painter.drawPixmap(marker->geometry().topLeft(), circle(marker->geometry().size()));
        }
    }
}

} // namespace zelpo
