#include "forms/MarkerLayer.h"

#include "artwork/Outlines.h"

#include <algorithm>

#include <QPaintEvent>
#include <QPainter>
#include <QVarLengthArray>

namespace zelpo {

namespace {

// The window's pixels a rectangle in twips covers, as a control's are worked out.
QRect controlPixels(const TwipRect& rect)
{
    const int left = twipsToPixels(rect.left);
    const int top = twipsToPixels(rect.top);
    const int right = twipsToPixels(rect.left + rect.width);
    const int bottom = twipsToPixels(rect.top + rect.height);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// Whether two rectangles, neither empty, share a pixel: asked for every shown marker and strip of
// a pointer move's repaint, where QRect::intersects is a call into the library each time.
inline bool overlap(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() &&
           b.top() <= a.bottom();
}

} // namespace

Marker::Marker(MarkerLayer& layer, const TwipRect& rect, bool shown)
    : m_layer(layer), m_rect(rect), m_geometry(layer.pixelGeometry(rect)),
      m_paintedArea(m_geometry), m_hidden(!shown)
{}

void Marker::changeTo(const TwipRect& rect, const Marks& marks, bool hidden)
{
    const QRect before = m_hidden ? QRect() : paintedArea();
    m_rect = rect;
    m_geometry = m_layer.pixelGeometry(rect);
    m_marks = marks;
    m_fromBirthGeometry.reset();
    m_reviewRingGeometry.reset();
    m_paintedArea = m_geometry;
    if (marks.fromBirth) {
        // The line joins the mark and the marker level with the mark's centre.
        m_fromBirthGeometry = controlPixels(*marks.fromBirth);
        m_paintedArea |= *m_fromBirthGeometry;
        m_paintedArea |= QRect(m_geometry.left(), m_fromBirthGeometry->center().y(), 1, 1);
    }
    if (marks.reviewRing) {
        m_reviewRingGeometry = controlPixels(*marks.reviewRing);
        m_paintedArea |= *m_reviewRingGeometry;
    }
    m_hidden = hidden;
    const QRect after = m_hidden ? QRect() : paintedArea();
    if (before != after) {
        m_layer.repaint(before);
        m_layer.repaint(after);
    }
}

namespace {

bool sameMark(const std::optional<TwipRect>& a, const std::optional<TwipRect>& b)
{
    return a.has_value() == b.has_value() &&
           (!a || (a->left == b->left && a->top == b->top && a->width == b->width));
}

} // namespace

void Marker::setTwipRect(const TwipRect& rect)
{
    changeTo(rect, m_marks, m_hidden);
}

void Marker::setFromBirth(const std::optional<TwipRect>& mark)
{
    if (!sameMark(mark, m_marks.fromBirth)) {
        changeTo(m_rect, {mark, m_marks.reviewRing}, m_hidden);
    }
}

void Marker::setReviewRing(const std::optional<TwipRect>& ring)
{
    if (!sameMark(ring, m_marks.reviewRing)) {
        changeTo(m_rect, {m_marks.fromBirth, ring}, m_hidden);
    }
}

bool Marker::isVisible() const
{
    return !m_hidden && m_layer.isVisible();
}

void Marker::setVisible(bool visible)
{
    if (m_hidden == visible) {
        changeTo(m_rect, m_marks, !visible);
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
    const int spill = outlineSpill(m_borderPixels);
    return controlPixels(rect).adjusted(-spill, -spill, spill, spill);
}

void MarkerLayer::repaint(const QRect& area)
{
    if (area.isEmpty()) {
        return;
    }
    if (m_held) {
        *m_held |= area;
    } else {
        update(area);
    }
}

void MarkerLayer::holdRepaints()
{
    m_held.emplace();
}

void MarkerLayer::releaseRepaints()
{
    if (m_held) {
        const QRect held = *m_held;
        m_held.reset();
        repaint(held);
    }
}

const QPixmap& MarkerLayer::drawnOnce(QHash<QSize, QPixmap>& drawn, QSize size,
                                      const std::function<void(QPainter&)>& draw)
{
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_drawnRatio) {
        m_circles.clear();
        m_rings.clear();
        m_reviewRings.clear();
        m_drawnRatio = ratio;
    }
    QPixmap& pixmap = drawn[size];
    if (pixmap.isNull()) {
        pixmap = QPixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter artist(&pixmap);
        draw(artist);
    }
    return pixmap;
}

const QPixmap& MarkerLayer::circle(QSize size)
{
    return drawnOnce(m_circles, size, [&](QPainter& artist) {
        artist.setPen(outlinePen(m_border, m_borderPixels));
        artist.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
        artist.setRenderHint(QPainter::Antialiasing);
        artist.drawEllipse(
            markerCircle(outlineLine(QRectF(QPointF(), QSizeF(size)), m_borderPixels)));
    });
}

const QPixmap& MarkerLayer::ring(QSize size)
{
    return drawnOnce(m_rings, size, [&](QPainter& artist) {
        paintBirthAgeRing(artist, QRectF(QPointF(), QSizeF(size)), m_fill);
    });
}

const QPixmap& MarkerLayer::reviewRing(QSize size)
{
    return drawnOnce(m_reviewRings, size, [&](QPainter& artist) {
        paintReviewRing(artist, QRectF(QPointF(), QSizeF(size)));
    });
}

void MarkerLayer::paintEvent(QPaintEvent* event)
{
    // A pointer move repaints the strips the cross-hair leaves and enters, and a hundred markers
    // may be shown: only those the strips cross are painted, strip by strip, each clipped to its
    // one rectangle, where copying a circle is a plain copy of the pixels it crosses. The strips
    // do not overlap, so every pixel is painted once, as with the whole area at once.
    const QRegion& area = event->region();
    const QRect* const firstStrip = area.begin();
    const QRect* const lastStrip = area.end();
    QVarLengthArray<const Marker*, 128> crossed;
    for (const Marker& marker : m_markers) {
        const QRect painted = marker.paintedArea();
        if (!marker.isHidden() && !painted.isEmpty() &&
            std::any_of(firstStrip, lastStrip,
                        [&painted](const QRect& strip) { return overlap(strip, painted); })) {
            crossed.append(&marker);
        }
    }
    if (crossed.isEmpty()) {
        return;
    }
    QPainter painter(this);
    // The markers are all of one size: its circle is looked up once.
    QSize drawnSize;
    const QPixmap* drawn = nullptr;
    for (const QRect* strip = firstStrip; strip != lastStrip; ++strip) {
        bool clipped = false;
        const auto clippedPainter = [&]() -> QPainter& {
            if (!clipped) {
                painter.setClipRect(*strip);
                clipped = true;
            }
            return painter;
        };
        // The marks of the ages from birth and the rings of the weighings to review lie beneath
        // every marker: a ring, and a line one pixel high from it to the marker, all drawn once
        // and copied.
        for (const Marker* marker : crossed) {
            const std::optional<QRect> review = marker->reviewRing();
            if (review && overlap(*strip, *review)) {
                clippedPainter().drawPixmap(review->topLeft(), reviewRing(review->size()));
            }
            const std::optional<QRect> mark = marker->fromBirth();
            if (!mark || !overlap(*strip, marker->paintedArea())) {
                continue;
            }
            const QRect circle = marker->geometry();
            const int left = std::min(circle.center().x(), mark->right() + 1);
            const int right = std::max(circle.center().x(), mark->left() - 1);
            clippedPainter().fillRect(QRect(left, mark->center().y(), right - left + 1, 1), m_fill);
            clippedPainter().drawPixmap(mark->topLeft(), ring(mark->size()));
        }
        // From the highest index to the lowest, so that the lower lies above, as the layout stacks
        // its members.
        for (auto marker = crossed.crbegin(); marker != crossed.crend(); ++marker) {
            const QRect geometry = (*marker)->geometry();
            if (!overlap(*strip, geometry)) {
                continue;
            }
            if (!drawn || geometry.size() != drawnSize) {
                drawnSize = geometry.size();
                drawn = &circle(drawnSize);
            }
            clippedPainter().drawPixmap(geometry.topLeft(), *drawn);
        }
    }
}

} // namespace zelpo
