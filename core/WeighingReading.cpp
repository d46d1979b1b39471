#include "core/WeighingReading.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "core/Readout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zelpo {

namespace {

// A weighing this close to a curve reads as that curve. The curve's grams come from kilograms
// held in binary fractions, the boys' tabulated 16.1 kg coming out a hair over 16100 g; the
// billionth of a gram keeps a weighing 1 g from a tabulated value on the curve.
constexpr double onCurveGrams = 1.0 + 1e-9;

const QString& noValue()
{
    static const QString dash = QStringLiteral("—");
    return dash;
}

// Every band text one chart can give, indexed as its curves are (highest percentile first),
// made once so that a reading shares a text instead of building one.
struct BandTexts
{
    std::vector<QString> on;                   // "P50"
    std::vector<QString> above;                // "> P97"
    std::vector<QString> below;                // "< P3"
    std::vector<std::vector<QString>> between; // [upper][lower]: "P50–P75"
};

BandTexts bandTextsOf(const std::vector<PercentileCurve>& curves)
{
    BandTexts texts;
    const auto name = [&curves](size_t curve) {
        return QStringLiteral("P%1").arg(curves[curve].percentile);
    };
    for (size_t upper = 0; upper < curves.size(); ++upper) {
        texts.on.push_back(name(upper));
        texts.above.push_back(QStringLiteral("> ") + name(upper));
        texts.below.push_back(QStringLiteral("< ") + name(upper));
        texts.between.emplace_back();
        for (size_t lower = 0; lower < curves.size(); ++lower) {
            texts.between[upper].push_back(name(lower) + QStringLiteral("–") + name(upper));
        }
    }
    return texts;
}

const BandTexts& bandTexts(ChartSex sex)
{
    static const BandTexts girls = bandTextsOf(percentileCurves(ChartSex::Girls));
    static const BandTexts boys = bandTextsOf(percentileCurves(ChartSex::Boys));
    return sex == ChartSex::Girls ? girls : boys;
}

// The chart's age in months at `days` from birth; nothing outside the chart's six years. The
// chart's 2190 days are drawn as 72 months, so a weighing stands among the curves at
// days × 72 / 2190.
std::optional<double> chartMonths(double days)
{
    if (!(days >= 0 && days <= chartAgeSpanDays)) {
        return std::nullopt;
    }
    return days * chartAgeSpanMonths / chartAgeSpanDays;
}

// A curve is drawn from its first tabulated age on; where it is not drawn, nothing is measured
// against it.
std::optional<double> gramsDrawnAt(const PercentileCurve& curve, double months)
{
    if (months < curve.startMonths) {
        return std::nullopt;
    }
    return kilograms(curve, months) * 1000;
}

// A curve drawn at some age: its place among the chart's curves, highest percentile first, and
// its weight there.
struct DrawnCurve
{
    size_t index = 0;
    double grams = 0;
};

// The curves drawn at an age nearest a weight: the one it is on, or else the lowest above it and
// the highest below it, each where there is one; none before birth and past six years.
struct CurvesAround
{
    std::optional<size_t> on;
    std::optional<DrawnCurve> above;
    std::optional<DrawnCurve> below;
};

CurvesAround curvesAround(ChartSex sex, double days, double grams)
{
    CurvesAround around;
    const std::optional<double> months = chartMonths(days);
    if (!months) {
        return around;
    }
    const std::vector<PercentileCurve>& curves = percentileCurves(sex);
    // From the highest curve down, the first one the weight is not below ends the search.
    for (size_t curve = 0; curve < curves.size(); ++curve) {
        const std::optional<double> curveGrams = gramsDrawnAt(curves[curve], *months);
        if (!curveGrams) {
            continue;
        }
        if (std::abs(grams - *curveGrams) <= onCurveGrams) {
            around.on = curve;
            break;
        }
        if (grams > *curveGrams) {
            around.below = DrawnCurve{curve, *curveGrams};
            break;
        }
        around.above = DrawnCurve{curve, *curveGrams};
    }
    return around;
}

QString band(ChartSex sex, const CurvesAround& around)
{
    const BandTexts& texts = bandTexts(sex);
    if (around.on) {
        return texts.on[*around.on];
    }
    if (around.below) {
        return around.above ? texts.between[around.above->index][around.below->index]
                            : texts.above[around.below->index];
    }
    return around.above ? texts.below[around.above->index] : QString();
}

// The normal score of the centile each curve is drawn at.
double normalScore(int percentile)
{
    switch (percentile) {
    case 3:
        return -1.881;
    case 10:
        return -1.282;
    case 25:
        return -0.674;
    case 75:
        return 0.674;
    case 90:
        return 1.282;
    case 97:
        return 1.881;
    default: // P50, the median
        return 0;
    }
}

std::optional<PercentilePosition> position(ChartSex sex, const CurvesAround& around, double grams)
{
    const std::vector<PercentileCurve>& curves = percentileCurves(sex);
    const auto score = [&curves](size_t curve) { return normalScore(curves[curve].percentile); };
    if (around.on) {
        return PercentilePosition{score(*around.on), false};
    }
    const std::optional<DrawnCurve>& above = around.above;
    const std::optional<DrawnCurve>& below = around.below;
    if (above && below) {
        const double share = (grams - below->grams) / (above->grams - below->grams);
        return PercentilePosition{
            score(below->index) + (score(above->index) - score(below->index)) * share, false};
    }
    if (below) {
        return PercentilePosition{score(below->index), false};
    }
    if (above) {
        return PercentilePosition{score(above->index), true};
    }
    return std::nullopt;
}

std::optional<int> gain(QDate date, double grams, const std::optional<EarlierWeighing>& earlier)
{
    if (!earlier || !(earlier->date < date)) {
        return std::nullopt;
    }
    const double perDay = (grams - earlier->grams) / daysBetween(earlier->date, date);
    if (!std::isfinite(perDay)) {
        return std::nullopt;
    }
    // Weights edited into a file by hand can be anything; the gain is held to what an int holds.
    constexpr double limit = std::numeric_limits<int>::max();
    return static_cast<int>(std::round(std::clamp(perDay, -limit, limit)));
}

} // namespace

std::optional<PercentilePosition> percentilePosition(ChartSex sex, double days, double grams)
{
    return position(sex, curvesAround(sex, days, grams), grams);
}

std::optional<std::pair<CurveAt, CurveAt>> outermostCurvesAt(ChartSex sex, double days)
{
    const std::optional<double> months = chartMonths(days);
    if (!months) {
        return std::nullopt;
    }
    // The curves run from the highest percentile down.
    std::optional<CurveAt> highest;
    std::optional<CurveAt> lowest;
    for (const PercentileCurve& curve : percentileCurves(sex)) {
        if (const std::optional<double> grams = gramsDrawnAt(curve, *months)) {
            lowest = CurveAt{curve.percentile, *grams};
            if (!highest) {
                highest = lowest;
            }
        }
    }
    if (!lowest) {
        return std::nullopt;
    }
    return std::pair{*lowest, *highest};
}

const QString& beforeTermBand()
{
    static const QString band = QStringLiteral("antes del término");
    return band;
}

int wholeMonths(double days)
{
    // The readout holds the days in single precision and rounds the months down.
    return static_cast<int>(std::floor(ageInMonths(static_cast<float>(days))));
}

WeighingReading readWeighing(ChartSex sex, QDate birthDate, QDate date, double grams,
                             std::optional<EarlierWeighing> earlier,
                             const std::optional<GestationalAge>& gestation)
{
    const double days = daysBetween(birthDate, date);
    const std::optional<double> corrected = correctedAge(days, gestation);
    // Before the due date, a negative corrected age, the chart, which starts at term, has no
    // curves to read, and the days before it are no months of age.
    const bool beforeTerm = corrected && *corrected < 0;
    const CurvesAround around = curvesAround(sex, corrected.value_or(days), grams);
    return {days,
            wholeMonths(days),
            beforeTerm ? beforeTermBand() : band(sex, around),
            gain(date, grams, earlier),
            corrected,
            corrected && !beforeTerm ? std::optional(wholeMonths(*corrected)) : std::nullopt,
            position(sex, around, grams)};
}

QString ageText(double days, std::optional<int> months)
{
    const QString dayCount = QStringLiteral("%1 días").arg(QString::number(days, 'f', 0));
    if (!months) {
        return dayCount;
    }
    return QStringLiteral("%1 (%2 %3)")
        .arg(dayCount, QString::number(*months),
             *months == 1 ? QStringLiteral("mes") : QStringLiteral("meses"));
}

QString bandText(const QString& band)
{
    return band.isEmpty() ? noValue() : band;
}

QString gainText(std::optional<int> gramsPerDay)
{
    if (!gramsPerDay) {
        return noValue();
    }
    return *gramsPerDay > 0 ? QStringLiteral("+%1").arg(*gramsPerDay)
                            : QString::number(*gramsPerDay);
}

QString weighingTooltip(QDate date, double grams, const WeighingReading& reading)
{
    const QString corrected = reading.correctedDays
                                  ? QStringLiteral(" · edad corregida ") +
                                        ageText(*reading.correctedDays, reading.correctedMonths)
                                  : QString();
    return QStringLiteral("%1 · %2 g · %3%4 · %5 · %6 g/día")
        .arg(dateText(date), QString::number(std::trunc(grams), 'f', 0),
             ageText(reading.days, reading.months), corrected, bandText(reading.band),
             gainText(reading.gramsPerDay));
}

} // namespace zelpo
