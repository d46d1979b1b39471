#pragma once

#include <QSize>

class QPainter;

namespace zelpo {

inline constexpr QSize kArrowPictureSize(32, 32);

// A blue arrow pointing up and to the left, its tip at (0, 0), on a transparent square; sizes
// in logical pixels.
void paintArrow(QPainter& painter);

} // namespace zelpo
