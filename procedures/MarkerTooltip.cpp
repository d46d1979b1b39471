#include "procedures/MarkerTooltip.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "core/Twips.h"
#include "core/WeighingReading.h"
#include "forms/PerZelpo.h"
#include "forms/Shape.h"
#include "history/ChildHistory.h"
#include "procedures/MarkerOperations.h"

#include <cmath>
#include <limits>

namespace zelpo {

namespace {

const Shape* markerUnder(const PerZelpo& window, TwipPoint windowTwips)
{
    // Markers of a history often overlap: the one whose centre is nearest to the pointer, among
    // those whose circle it is on, a pixel's width of slack around it.
    const Shape* nearest = nullptr;
    float nearestDistance = std::numeric_limits<float>::max();
    for (int index = 0; index < zelpo::markerCount; ++index) {
        const Shape* marker = window.sh(index);
        if (marker->isHidden() || !marker->tag().canConvert<MarkerWeighing>()) {
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
    return nearest;
}

} // namespace

void tagMarker(PerZelpo& window, int index, const MarkerWeighing& weighing)
{
    window.sh(index)->setTag(QVariant::fromValue(weighing));
}

QString markerTooltip(const PerZelpo& window, const zelpo::ChildHistory& history,
                      TwipPoint windowTwips)
{
    const Shape* marker = markerUnder(window, windowTwips);
    if (!marker) {
        return QString();
    }
    const auto weighing = marker->tag().value<MarkerWeighing>();
    // A stored weighing's gain counts from the one stored before it; one not stored, from the
    // last one stored for the child.
    const std::optional<zelpo::EarlierWeighing> earlier =
        weighing.record ? history.storedBefore(*weighing.record) : history.lastStored();
    QString text =
        zelpo::weighingTooltip(weighing.date, weighing.grams,
                               zelpo::readWeighing(selectedChart(window), weighing.placedFrom,
                                                   weighing.date, weighing.grams, earlier));
    // The birth date in the box was changed since the file was made: the page's table and the
    // spreadsheet count from the stored one.
    const std::optional<QDate> stored = history.stored().birthDate;
    if (stored && *stored != weighing.placedFrom) {
        text += QStringLiteral(" · %1 días según la fecha de nacimiento almacenada (%2)")
                    .arg(QString::number(zelpo::daysBetween(*stored, weighing.date), 'f', 0),
                         zelpo::dateText(*stored));
    }
    return text;
}

} // namespace zelpo
