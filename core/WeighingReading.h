#pragma once

#include "core/GestationalAge.h"
#include "core/PercentileCurves.h"

#include <optional>
#include <utility>

#include <QDate>
#include <QString>

// Where one weighing stands on the chart: its age as the readout counts it, the percentile band
// its weight falls in among the curves drawn at that age, and the daily gain since the weighing
// before it. The marker's tooltip, the printed page and the spreadsheet export all read a
// weighing through this, so their numbers agree.
namespace zelpo {

// Where a weight stands among the curves drawn at the age it is read at, as an approximate
// standard deviation score: each curve stands at its percentile's normal score (P3 -1.881, P10
// -1.282, P25 -0.674, P50 0, P75 +0.674, P90 +1.282, P97 +1.881), a weight between two curves is
// placed between their scores in proportion to its grams, and one beyond the outermost curves
// stands on the nearer of them, never further out.
struct PercentilePosition
{
    double score;
    // Below the lowest curve drawn at that age, the band "< P3"; its score is the curve's.
    bool belowLowestCurve;
};

// The weighing before the one read, in the patient file's order.
struct EarlierWeighing
{
    QDate date;
    double grams;
};

struct WeighingReading
{
    double days; // from the birth date; negative before it
    int months;  // whole months, counted as the pointer readout counts them
    // "P50–P75" between two curves, lower first; "P50" within 1 g of a curve; "< P3" below the
    // lowest curve drawn, "> P97" above the highest. Empty before birth and past six years,
    // where the chart has no curves.
    QString band;
    // Grams a day since the earlier weighing, rounded to the nearest gram; nothing when there is
    // none or it is not dated before this one.
    std::optional<int> gramsPerDay;
    // For a baby born early, the age counted from the due date and its whole months, which the
    // band is read at; nothing where no correction applies. Before the due date the days say how
    // long before it (negative), and there are no months: a month before term is no age.
    std::optional<double> correctedDays;
    std::optional<int> correctedMonths;
    // Where the weight stands among the curves the band is read from; nothing where the band is
    // empty or "antes del término".
    std::optional<PercentilePosition> position;
};

// A curve as drawn at one age: its percentile and its weight there.
struct CurveAt
{
    int percentile;
    double grams;
};

// The lowest and the highest curve drawn at `days` from birth, in that order; nothing before
// birth and past six years, where the chart has no curves. The band reading and the question
// before an implausible weighing both measure against these very curves.
std::optional<std::pair<CurveAt, CurveAt>> outermostCurvesAt(ChartSex sex, double days);

// Where `grams` stands among the curves drawn at `days` from birth, as a weighing's reading
// places it; nothing before birth and past six years.
std::optional<PercentilePosition> percentilePosition(ChartSex sex, double days, double grams);

// "antes del término": the band of a weighing of a baby born early taken before its due date,
// where the chart, which starts at term, has no curves.
const QString& beforeTermBand();

// The weighing of a child born on `birthDate` at `gestation` (nothing: at term) read against the
// chart of `sex`; the daily gain counts calendar days.
WeighingReading readWeighing(ChartSex sex, QDate birthDate, QDate date, double grams,
                             std::optional<EarlierWeighing> earlier,
                             const std::optional<GestationalAge>& gestation = std::nullopt);

// Whole months as the pointer readout counts them: "24" for 731 days.
int wholeMonths(double days);

// "100 días (3 meses)", "30 días (1 mes)"; "-40 días" without months.
QString ageText(double days, std::optional<int> months);

// The band as shown: "—" when there is none.
QString bandText(const QString& band);

// The gain as shown, with its sign: "+13", "-21", "0"; "—" when there is none.
QString gainText(std::optional<int> gramsPerDay);

// "28/10/2024 · 13100 g · 730 días (24 meses) · P50–P75 · +13 g/día", with "—" for a band or a
// gain there is none of; a baby born early has its corrected age after the age from birth:
// "… · 100 días (3 meses) · edad corregida 32 días (1 mes) · < P3 · …". The grams are those a
// patient file keeps: the whole part, never rounded up.
QString weighingTooltip(QDate date, double grams, const WeighingReading& reading);

} // namespace zelpo
