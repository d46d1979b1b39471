#include "core/Readout.h"

#include "core/FormatoCampo.h"

#include <algorithm>

namespace zelpo {

CrossHair crossHairAt(const TwipRect& frame, float x, float y, PointerOffsets offsets,
                      const TwipRect& picture)
{
    // While a button is held and the pointer is dragged off the picture, the picture goes on
    // receiving the moves with positions far outside it, and such a position would give numbers
    // too long for their fields. The position is clamped to the picture's own rectangle, so the
    // readout describes the nearest point of the picture and every number fits its field.
    const float insideX = std::clamp(x, 0.0f, picture.width);
    const float insideY = std::clamp(y, 0.0f, picture.height);
    return {frame.left + insideX - offsets.horizontal, frame.top + insideY - offsets.vertical};
}

double ageInMonths(float days)
{
    return static_cast<double>(days) / readoutDaysPerMonth;
}

Readout readoutOfCrossHair(const TwipRect& frame, float lineX, float lineY, ChartSpans spans)
{
    const float ageSpanDays = static_cast<float>(spans.days);
    const float weightSpanGrams = static_cast<float>(spans.grams);
    const float days = (lineX - frame.left) * ageSpanDays / frame.width;
    const float grams = (frame.top + frame.height - lineY) * weightSpanGrams / frame.height;
    return {lineX, lineY, days, grams, ageInMonths(days)};
}

Result<QString> readoutCaption(const Readout& readout)
{
    const Result<QString> grams =
        FormatoCampo(static_cast<double>(readout.grams), QStringLiteral("##,###"));
    const Result<QString> days =
        FormatoCampo(static_cast<double>(readout.days), QStringLiteral("##,###"));
    const Result<QString> months = FormatoCampo(readout.months, QStringLiteral("#0.0"));
    for (const Result<QString>* field : {&grams, &days, &months}) {
        if (!field->ok()) {
            return field->failure();
        }
    }
    return QStringLiteral("Zelpo : ") + grams.value() + QStringLiteral(" gramos    Edad : ") +
           days.value() + QStringLiteral(" dias. (") + months.value() + QStringLiteral(" meses.)");
}

} // namespace zelpo
