#include "core/ChartScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelpo {

namespace {

float toCoordinate(double twips)
{
    if (std::isnan(twips)) {
        return 0.0f;
    }
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(twips, -largest, largest));
}

} // namespace

// The precisions below are deliberate and give the chart's worked positions to the last bit:
// offsets in double from the widened frame size, the half sizes and the frame's bottom edge in
// single, the subtractions in double, and only the final position rounded to single.
MarkerPosition markerPlacement(const TwipRect& frame, float markerWidth, float markerHeight,
                               double ageDays, double weightGrams, ChartSpans spans)
{
    const double dx = ageDays * static_cast<double>(frame.width) / spans.days;
    const double dy = weightGrams * static_cast<double>(frame.height) / spans.grams;
    const float halfWidth = markerWidth / 2.0f;
    const float halfHeight = markerHeight / 2.0f;
    const float frameBottom = frame.top + frame.height;

    const double left = (static_cast<double>(frame.left) + dx) - static_cast<double>(halfWidth);
    const double top = (static_cast<double>(frameBottom) - dy) - static_cast<double>(halfHeight);
    return {toCoordinate(left), toCoordinate(top)};
}

MarkerPosition markerPlacement(const TwipRect& frame, float markerWidth, float markerHeight,
                               double ageDays, double weightGrams)
{
    return markerPlacement(frame, markerWidth, markerHeight, ageDays, weightGrams, wholeChart);
}

int firstFreeMarker(const std::function<bool(int)>& markerVisible)
{
    for (int index = 0; index < markerPoolSize; ++index) {
        if (!markerVisible(index)) {
            return index;
        }
    }
    return 0;
}

} // namespace zelpo
