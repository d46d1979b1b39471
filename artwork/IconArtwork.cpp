#include "artwork/IconArtwork.h"

#include "artwork/DrawnArtwork.h"
#include "artwork/TeddyArtwork.h"

#include <QPainter>

namespace zelpo {

namespace {

// Both bears, on a square `side` pixels wide.
void paintIcon(QPainter& painter, qreal side)
{
    // The blue bear sits a little further back, the red one in front and to the right.
    paintTeddyWithFrame(painter, QRectF(0, 0, side * 0.6, side * 0.86), TeddyFrame::LightBlue);
    paintTeddyWithFrame(painter, QRectF(side * 0.38, side * 0.12, side * 0.62, side * 0.88),
                        TeddyFrame::Red);
}

} // namespace

QImage renderIconImage(int size)
{
    return drawArtwork(QSize(size, size), 1.0, false,
                       [size](QPainter& painter) { paintIcon(painter, size); });
}

QImage windowIconImage(int size)
{
    return renderIconImage(size).convertToFormat(QImage::Format_ARGB32);
}

} // namespace zelpo
