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

QString band(ChartSex sex, double days, double grams)
{
    const std::optional<double> months = chartMonths(days);
    if (!months) {
        return QString();
    }
    const std::vector<PercentileCurve>& curves = percentileCurves(sex);
    const BandTexts& texts = bandTexts(sex);
    // From the highest curve down, the first one the weight is not below ends the search.
    std::optional<size_t> curveAbove;
    for (size_t curve = 0; curve < curves.size(); ++curve) {
        const std::optional<double> curveGrams = gramsDrawnAt(curves[curve], *months);
        if (!curveGrams) {
            continue;
        }
        if (std::abs(grams - *curveGrams) <= onCurveGrams) {
            return texts.on[curve];
        }
        if (grams > *curveGrams) {
            return curveAbove ? texts.between[*curveAbove][curve] : texts.above[curve];
        }
        curveAbove = curve;
    }
    return curveAbove ? texts.below[*curveAbove] : QString();
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
    const QString read = !corrected       ? band(sex, days, grams)
                         : *corrected < 0 ? beforeTermBand()
                                          : band(sex, *corrected, grams);
    return {days,
            wholeMonths(days),
            read,
            gain(date, grams, earlier),
            corrected,
            corrected && *corrected >= 0 ? std::optional(wholeMonths(*corrected)) : std::nullopt};
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
