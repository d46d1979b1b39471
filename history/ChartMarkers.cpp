#include "history/ChartMarkers.h"

#include "core/Conversions.h"
#include "core/WeighingReading.h"
#include "history/ChildHistory.h"

#include <array>
#include <cmath>
#include <limits>

#include <QSet>

namespace zelpo {

namespace {

// What there is to review in each weighing plotted at this visit and not stored, read after the
// stored history and the weighings plotted before it; empty for those stored, which the history
// read with its own.
QList<QString> unstoredReviews(const ChildHistory& history)
{
    ReviewState state = history.stored().review;
    QList<QString> reviews;
    for (const PlottedWeighing& weighing : history.plotted()) {
        if (weighing.record) {
            reviews.append(QString());
            continue;
        }
        const WeighingReading reading =
            readWeighing(history.key().chart(), weighing.placedFrom, weighing.date, weighing.grams,
                         std::nullopt, history.stored().gestation);
        reviews.append(
            state.review(reviewedWeighing(weighing.date, weighing.grams, false, reading)));
    }
    return reviews;
}

} // namespace

ChartMarkers placeMarkers(const ChildHistory& history, const ChartGeometry& chart)
{
    std::array<std::optional<ShownWeighing>, markerPoolSize> pool;
    int taken = 0;
    const std::optional<GestationalAge>& gestation = history.stored().gestation;
    // Before the due date a baby born early is off the chart, which starts at term.
    const auto drawn = [&gestation](double days) {
        const std::optional<double> corrected = correctedAge(days, gestation);
        return !corrected || *corrected >= 0;
    };
    const bool closerView = chart.spans != wholeChart;
    const auto inView = [&](double days, double grams) {
        if (!closerView) {
            return true;
        }
        const double at = correctedAge(days, gestation).value_or(days);
        return at <= chart.spans.days && grams <= chart.spans.grams;
    };
    const auto place = [&](int marker, double days, double grams, std::optional<qsizetype> record,
                           qsizetype plotted, const QString& review) {
        const std::optional<double> corrected = correctedAge(days, gestation);
        const double at = corrected.value_or(days);
        const MarkerPosition centred = markerPlacement(chart.frame, chart.markerWidth,
                                                       chart.markerHeight, at, grams, chart.spans);
        const TwipRect box{centred.left, centred.top, chart.markerWidth, chart.markerHeight};
        std::optional<TwipRect> fromBirth;
        if (corrected) {
            const MarkerPosition mark = markerPlacement(
                chart.frame, kBirthAgeMarkTwips, kBirthAgeMarkTwips, days, grams, chart.spans);
            fromBirth = TwipRect{mark.left, mark.top, kBirthAgeMarkTwips, kBirthAgeMarkTwips};
        }
        std::optional<TwipRect> ring;
        if (!review.isEmpty()) {
            ring = TwipRect{box.left - kReviewRingTwips, box.top - kReviewRingTwips,
                            box.width + 2 * kReviewRingTwips, box.height + 2 * kReviewRingTwips};
        }
        pool[marker] = ShownWeighing{marker, box, at, fromBirth, review, ring, record, plotted};
    };

    QSet<qsizetype> plottedRecords;
    for (const PlottedWeighing& weighing : history.plotted()) {
        if (weighing.record) {
            plottedRecords.insert(*weighing.record);
        }
    }
    // A weighing plotted at this visit takes its marker as such, not as a stored one.
    const auto stands = [&](const StoredWeighing& weighing) {
        return drawnOnChart(weighing, gestation) && !plottedRecords.contains(weighing.record);
    };
    const auto takesMarker = [&](const StoredWeighing& weighing) {
        return stands(weighing) && inView(weighing.days, weighing.grams);
    };
    const QList<StoredWeighing>& stored = history.stored().weighings;
    int outOfView = 0;
    for (qsizetype index = 0; closerView && index < stored.size(); ++index) {
        outOfView += stands(stored[index]) && !takesMarker(stored[index]) ? 1 : 0;
    }
    const qsizetype opened = history.recordsWhenOpened();
    qsizetype next = 0;
    for (; next < stored.size() && stored[next].record < opened && taken < markerPoolSize; ++next) {
        if (takesMarker(stored[next])) {
            place(taken++, stored[next].days, stored[next].grams, stored[next].record, -1,
                  stored[next].review);
        }
    }

    std::optional<int> newest;
    const QList<PlottedWeighing>& plotted = history.plotted();
    const QList<QString> unstored = unstoredReviews(history);
    const auto freeMarker = [&pool] {
        return firstFreeMarker([&pool](int at) { return pool[at].has_value(); });
    };
    for (qsizetype index = 0; index < plotted.size(); ++index) {
        const PlottedWeighing& weighing = plotted[index];
        newest.reset();
        QString review = unstored[index];
        if (weighing.record) {
            const StoredWeighing* filed = history.weighingAt(*weighing.record);
            if (!filed || !filed->struckOut.isEmpty()) {
                continue;
            }
            review = filed->review;
        }
        const double days = daysBetween(weighing.placedFrom, weighing.date);
        if (!drawn(days)) {
            continue;
        }
        if (!inView(days, weighing.grams)) {
            ++outOfView;
            continue;
        }
        const int marker = freeMarker();
        place(marker, days, weighing.grams, weighing.record, index, review);
        newest = marker;
    }
    // Weighings other desks stored since the child was opened join the chart on the markers left.
    for (; next < stored.size(); ++next) {
        const int marker = freeMarker();
        if (stored[next].record >= opened && takesMarker(stored[next]) && !pool[marker]) {
            place(marker, stored[next].days, stored[next].grams, stored[next].record, -1,
                  stored[next].review);
        }
    }

    ChartMarkers markers;
    markers.outOfView = outOfView;
    for (const std::optional<ShownWeighing>& shown : pool) {
        if (shown) {
            markers.weighings.append(*shown);
        }
    }
    // The arrow's tip is the newest marker's top-left corner.
    if (newest) {
        const TwipRect& box = pool[*newest]->box;
        markers.arrow = TwipRect{box.left, box.top, chart.arrowWidth, chart.arrowHeight};
    }
    return markers;
}

const ShownWeighing* weighingUnder(const ChartMarkers& markers, TwipPoint point)
{
    const ShownWeighing* nearest = nullptr;
    float nearestDistance = std::numeric_limits<float>::max();
    for (const ShownWeighing& shown : markers.weighings) {
        const TwipRect& box = shown.box;
        const float distance =
            std::hypot(point.x - (box.left + box.width / 2), point.y - (box.top + box.height / 2));
        if (distance <= std::min(box.width, box.height) / 2 + kTwipsPerPixel &&
            distance < nearestDistance) {
            nearest = &shown;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QString markerTooltip(const ChildHistory& history, const ShownWeighing& shown)
{
    QDate date;
    double grams = 0;
    QDate placedFrom;
    if (shown.plotted >= 0) {
        const PlottedWeighing& plotted = history.plotted().at(shown.plotted);
        date = plotted.date;
        grams = plotted.grams;
        placedFrom = plotted.placedFrom;
    } else if (const StoredWeighing* weighing = history.weighingAt(*shown.record)) {
        date = dateValue(weighing->date).value_or(QDate());
        grams = weighing->grams;
        placedFrom = history.stored().birthDate.value_or(QDate());
    }
    // A stored weighing's gain counts from the one stored before it; one not stored, from the
    // last one stored for the child.
    const std::optional<EarlierWeighing> earlier =
        shown.record ? history.storedBefore(*shown.record) : history.lastStored();
    const QString reading =
        weighingTooltip(date, grams,
                        readWeighing(history.key().chart(), placedFrom, date, grams, earlier,
                                     history.stored().gestation));
    return shown.review.isEmpty() ? reading
                                  : reading + QStringLiteral(" · para revisar: ") + shown.review;
}

} // namespace zelpo
