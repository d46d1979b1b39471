#pragma once

#include "look/ChartWindowLayout.h"

#include <deque>
#include <functional>
#include <optional>

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QWidget>

namespace zelpo {

class MarkerLayer;

// A weighing marker of the pool `sh`: a circle filled red with a thin outline, centred on a
// weighing. Its rectangle is held in twips, exactly as set, like every control's; it is painted
// by the layer that carries its group.
class Marker
{
public:
    Marker(MarkerLayer& layer, const TwipRect& rect, bool shown);

    float twipLeft() const { return m_rect.left; }
    float twipTop() const { return m_rect.top; }
    float twipWidth() const { return m_rect.width; }
    float twipHeight() const { return m_rect.height; }
    TwipRect twipRect() const { return m_rect; }
    void setTwipRect(const TwipRect& rect);

    // A hidden marker is free for a weighing; a visible one shows one.
    bool isHidden() const { return m_hidden; }
    // Shown, and its window on the screen.
    bool isVisible() const;
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    // The window's pixels it covers, its outline included.
    QRect geometry() const { return m_geometry; }

    // For a weighing of a baby born early, drawn at its corrected age: the small hollow mark at
    // the age from birth, in twips, joined to the marker by a thin line; nothing for any other.
    void setFromBirth(const std::optional<TwipRect>& mark);
    // The window's pixels the mark covers, as a control's are worked out.
    std::optional<QRect> fromBirth() const { return m_fromBirthGeometry; }
    // For a weighing "Para revisar": the amber ring just outside the marker, in twips; nothing
    // for any other.
    void setReviewRing(const std::optional<TwipRect>& ring);
    std::optional<QRect> reviewRing() const { return m_reviewRingGeometry; }

    QColor fillColour() const;
    QColor borderColour() const;
    int borderPixels() const;

    // What the marker paints: its circle, and the mark and the line when it has them.
    QRect paintedArea() const { return m_paintedArea; }

private:
    struct Marks
    {
        std::optional<TwipRect> fromBirth;
        std::optional<TwipRect> reviewRing;
    };
    void changeTo(const TwipRect& rect, const Marks& marks, bool hidden);

    MarkerLayer& m_layer;
    TwipRect m_rect;
    QRect m_geometry;
    Marks m_marks;
    std::optional<QRect> m_fromBirthGeometry;
    std::optional<QRect> m_reviewRingGeometry;
    QRect m_paintedArea;
    bool m_hidden;
};

// A transparent sheet over the whole chart window that paints one declared group of weighing
// markers at the group's place in the stacking, the lower index above the higher as the layout
// stacks them. The markers are no widgets: a stored history shows a hundred of them, and as
// widgets each cost the toolkit its bookkeeping at every repaint the cross-hair caused; here a
// repaint only copies the circles it crosses. Like the markers, it lets the pointer through.
class MarkerLayer : public QWidget
{
    Q_OBJECT

public:
    // The markers `declared` holds, `declared.index` to `declared.index + declared.count - 1`.
    MarkerLayer(QWidget* window, const ControlSpec& declared);

    int firstIndex() const { return m_firstIndex; }
    int count() const { return int(m_markers.size()); }
    Marker* marker(int index) { return &m_markers.at(index - m_firstIndex); }

    QColor fillColour() const { return m_fill; }
    QColor borderColour() const { return m_border; }
    int borderPixels() const { return m_borderPixels; }

    // While held, the markers that move, appear or go are repainted together once released,
    // within the one rectangle around them: a history's hundred markers placed at once would
    // otherwise each add to the area to repaint.
    void holdRepaints();
    void releaseRepaints();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class Marker;
    QRect pixelGeometry(const TwipRect& rect) const;
    void repaint(const QRect& area);
    // A circle as drawn for markers of that size in logical pixels, at the screen's density; a
    // hollow ring for the marks of the ages from birth.
    const QPixmap& circle(QSize size);
    const QPixmap& ring(QSize size);
    const QPixmap& reviewRing(QSize size);
    // What `draw` draws at that size, kept in `drawn` for the density it was drawn at.
    const QPixmap& drawnOnce(QHash<QSize, QPixmap>& drawn, QSize size,
                             const std::function<void(QPainter&)>& draw);

    int m_firstIndex;
    QColor m_fill;
    QColor m_border;
    int m_borderPixels;
    // Markers never move in memory: the window hands out their addresses.
    std::deque<Marker> m_markers;
    std::optional<QRect> m_held;
    QHash<QSize, QPixmap> m_circles;
    QHash<QSize, QPixmap> m_rings;
    QHash<QSize, QPixmap> m_reviewRings;
    qreal m_drawnRatio = 0;
};

} // namespace zelpo
