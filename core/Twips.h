#pragma once

#include <QPointF>

namespace zelpo {

// The chart window's unit: positions and sizes in twips, 1440 to the inch, held in single
// precision exactly as set. Pixels are derived from them, 15 twips to the logical pixel.

// A rectangle in twips: a control of the chart window, the chart frame, a picture.
struct TwipRect
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline constexpr float kTwipsPerPixel = 15.0f;

// The nearest logical pixel to a twip position. Positions far outside the window (a weighing
// centuries before the chart's first day) are clamped to a range the toolkit paints safely; the
// twip value itself is always kept exactly.
int twipsToPixels(float twips);

// A point in twips, as the pointer is reported to the chart window's handlers.
struct TwipPoint
{
    float x;
    float y;
};

// The pointer's position in logical pixels as twips, each coordinate in single precision.
TwipPoint pointerTwips(QPointF pixels);

} // namespace zelpo
