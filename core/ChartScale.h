#pragma once

#include "core/Twips.h"

#include <functional>

// Where markers go on the weight-for-age chart. The frame lies over the chart's plot area: its
// left edge is age 0 and its right edge six years, its bottom edge 0 g and its top edge 30 kg.
// Positions and sizes are twips in single precision; ages (days) and weights (grams) are double.
namespace zelpo {

// The chart's spans, in the units each part of the program counts them in. This is the one place
// they are written: the window's frame, the drawn charts, the readout, the bands and the checks
// all take them from here.
inline constexpr double chartAgeSpanDays = 2190.0;
inline constexpr double chartAgeSpanMonths = 72.0; // as the drawn chart's grid counts them
inline constexpr double chartWeightSpanGrams = 30000.0;
inline constexpr double chartWeightSpanKilograms = chartWeightSpanGrams / 1000;
// The pointer readout's month, a little shorter than the chart's own 2190 / 72 days: the months
// it reads and the whole months of every table count from it.
inline constexpr double readoutDaysPerMonth = 30.41;

// The ages and weights the frame spans, for each view of the chart: the whole chart, or its
// first two years, birth to 24 months and 0 to 16 kg spread over the same frame.
struct ChartSpans
{
    double days;
    double grams;

    friend constexpr bool operator==(const ChartSpans&, const ChartSpans&) = default;
};

inline constexpr ChartSpans wholeChart{chartAgeSpanDays, chartWeightSpanGrams};
inline constexpr ChartSpans firstTwoYears{730.0, 16000.0};

// Markers 0 to 106 are the pool that plotting draws from and clearing hides. The window holds
// one marker more, 107, which neither of them touches.
inline constexpr int markerPoolSize = 107;
inline constexpr int markerCount = markerPoolSize + 1;

// What placing the weighings needs of the chart window's layout: the frame over the chart's plot
// area, the size of a marker and of the newest-point arrow, and the ages and weights the frame
// spans in the view shown.
struct ChartGeometry
{
    TwipRect frame;
    float markerWidth;
    float markerHeight;
    float arrowWidth;
    float arrowHeight;
    ChartSpans spans = wholeChart;
};

struct MarkerPosition
{
    float left;
    float top;
};

// The top-left corner that centres a marker of the given size on (age, weight). Nothing is
// clipped: ages outside 0 to 2190 days and weights outside 0 to 30000 g land outside the frame.
// Ages centuries away give coordinates far beyond any screen; the result is always a finite
// float (limited to the float range, 0 for a position that is not a number), and the widgets
// limit it further to what they can paint.
MarkerPosition markerPlacement(const TwipRect& frame, float markerWidth, float markerHeight,
                               double ageDays, double weightGrams);
// The same over the frame spanning `spans`; the whole chart's gives the very same positions.
MarkerPosition markerPlacement(const TwipRect& frame, float markerWidth, float markerHeight,
                               double ageDays, double weightGrams, ChartSpans spans);

// The lowest index among 0 to 106 whose marker is hidden; 0 when all of them are visible, so
// that marker 0 moves to the newest point.
int firstFreeMarker(const std::function<bool(int)>& markerVisible);

} // namespace zelpo
