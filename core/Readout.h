#pragma once

#include "core/ChartScale.h"
#include "core/Failure.h"

#include <QString>

// The hover readout: the inverse of the chart mapping. A pointer position over a chart picture
// becomes the place of the cross-hair lines, and the lines' place becomes an age and a weight on
// the frame's scales (2190 days across and 30000 g up on the whole chart, 730 days and 16000 g
// over its first two years). Line positions, days and grams are single precision at every step;
// months are double, from the single-precision day value.
namespace zelpo {

// Twips from a chart picture's top-left corner to the frame's, as each picture's handler has
// always used them. They are not derived from the layout: over `Image3` they put the cross-hair
// 5 twips right of and below the pointer.
struct PointerOffsets
{
    float horizontal;
    float vertical;
};

inline constexpr PointerOffsets image3PointerOffsets{310.0f, 55.0f};
inline constexpr PointerOffsets image4PointerOffsets{270.0f, 30.0f};

// Where the vertical line (its X1 and X2) and the horizontal line (its Y1 and Y2) go.
struct CrossHair
{
    float x;
    float y;
};

struct Readout
{
    float lineX;
    float lineY;
    float days;
    float grams;
    double months;
};

// The cross-hair for a pointer at (x, y) twips from the picture's corner, the position first
// clamped to the picture's own rectangle.
CrossHair crossHairAt(const TwipRect& frame, float x, float y, PointerOffsets offsets,
                      const TwipRect& picture);

// Age and weight where the cross-hair lines stand, on the frame spanning `spans`.
Readout readoutOfCrossHair(const TwipRect& frame, float lineX, float lineY,
                           ChartSpans spans = wholeChart);

// Months in double precision from the day value as held, in single precision.
double ageInMonths(float days);

// "Zelpo : 015000 gramos    Edad : 001095 dias. (0036 meses.)": grams and days in six-character
// fields, months in a four-character one, each rounded down. Fails only when a number is too
// long for its field, which no clamped pointer position produces.
Result<QString> readoutCaption(const Readout& readout);

} // namespace zelpo
