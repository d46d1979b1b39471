#pragma once

#include <QPen>
#include <QRectF>

class QColor;
class QPainter;

// The outlines of the chart window's shapes, the chart frame and the weighing markers, as the
// window and the printed page both draw them, in logical pixels.
namespace zelpo {

// A wide outline is centred on the shape's edge, so it reaches this far past its rectangle.
int outlineSpill(int borderPixels);

QPen outlinePen(const QColor& colour, int borderPixels);

// The line the pen runs along for a shape drawn in `box`: its rectangle grown by the spill.
QRectF outlineLine(const QRectF& box, int borderPixels);

// A weighing marker's circle: as wide as its outline's shorter side, centred in it.
QRectF markerCircle(const QRectF& outline);

// Where the age from birth would have put a weighing a baby born early is drawn at its corrected
// age: a small hollow ring in `mark`, joined to the marker centred on `marker` by a thin line,
// both in the markers' colour and antialiased, thin enough not to hide the curves beneath.
void paintBirthAgeMark(QPainter& painter, const QRectF& mark, QPointF marker, const QColor& colour);
// The hollow ring alone, as large as fits in `mark`.
void paintBirthAgeRing(QPainter& painter, const QRectF& mark, const QColor& colour);

// The ring of a weighing "Para revisar": amber, a colour that reads apart from the markers' red
// for colour-blind eyes, as large as fits in `ring`, which lies just outside the marker.
void paintReviewRing(QPainter& painter, const QRectF& ring);

} // namespace zelpo
