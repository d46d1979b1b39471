#include "procedures/MarkerTooltip.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "core/Twips.h"
#include "forms/PerZelpo.h"
#include "forms/Shape.h"

#include <cmath>
#include <limits>

void tagMarker(PerZelpo& window, int index, const zelpo::StoredWeighing& weighing)
{
    window.sh(index)->setTag(QVariant::fromValue(weighing));
}

QString markerTooltip(const PerZelpo& window, TwipPoint windowTwips)
{
    // Markers of a history often overlap: the one whose centre is nearest to the pointer, among
    // those whose circle it is on, a pixel's width of slack around it.
    const Shape* nearest = nullptr;
    float nearestDistance = std::numeric_limits<float>::max();
    for (int index = 0; index < zelpo::markerCount; ++index) {
        const Shape* marker = window.sh(index);
        if (marker->isHidden() || !marker->tag().canConvert<zelpo::StoredWeighing>()) {
            continue;
        }
        const TwipRect box = marker->twipRect();
        const float distance = std::hypot(windowTwips.x - (box.left + box.width / 2),
                                          windowTwips.y - (box.top + box.height / 2));
        if (distance <= std::min(box.width, box.height) / 2 + kTwipsPerPixel &&
            distance < nearestDistance) {
            nearest = marker;
            nearestDistance = distance;
        }
    }
    if (!nearest) {
        return QString();
    }
    const auto weighing = nearest->tag().value<zelpo::StoredWeighing>();
    return zelpo::weighingTooltip(zelpo::dateValue(weighing.date).value_or(QDate()), weighing.grams,
                                  weighing);
}
