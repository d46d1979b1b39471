#pragma once

#include "core/WeighingReading.h"

#include <array>
#include <optional>
#include <span>

#include <QDate>
#include <QList>
#include <QString>

// "Para revisar": a reason to look again at a weighing, never a diagnosis. A weighing is
// signalled when a newborn has lost a tenth of its birth weight or not regained it by three weeks,
// when the weight has fallen across the chart's percentile lines, or when it lies below the
// lowest line. The signals are read from the history each time it is read, and never stored.
namespace zelpo {

// A weighing as the review reads it.
struct ReviewedWeighing
{
    QDate date;
    double grams;
    bool struckOut; // entered in error: it takes no part
    // The age in days the chart reads it at, the corrected age for a baby born early; nothing
    // before the due date.
    std::optional<double> readAtDays;
    // Where it stands among the curves at that age; nothing where the chart has none.
    std::optional<PercentilePosition> position;
};

// The weighing of `date` and `grams`, struck out or not, as `reading` reads it.
ReviewedWeighing reviewedWeighing(QDate date, double grams, bool struckOut,
                                  const WeighingReading& reading);

// What the weighings reviewed so far leave for the next one: the birth weight, how many centile
// spaces a fall must cross to be signalled, and the highest position reached. It is small and
// copied freely: the state a child's stored weighings leave reads a weighing plotted but not
// stored just as the next stored one would be read.
class ReviewState
{
public:
    // Without a birth date there is no birth weight, and so no early loss.
    ReviewState() = default;
    explicit ReviewState(QDate birthDate) : m_birthDate(birthDate) {}

    // What there is to review in `weighing` read after the weighings taken so far: "perdió el
    // 11,4 % del peso al nacer", "no ha recuperado el peso al nacer a las 3 semanas", "bajó 2
    // espacios de percentil desde el 01/01/2024", "por debajo de P3", those that apply joined by
    // "; "; empty when there is nothing to review or the weighing is struck out.
    QString signalOf(const ReviewedWeighing& weighing) const;
    // Takes `weighing` as the next of the history; one struck out changes nothing.
    void take(const ReviewedWeighing& weighing);
    // The signal of `weighing`, which is then taken.
    QString review(const ReviewedWeighing& weighing);

private:
    // "perdió el 11,4 % del peso al nacer" or "no ha recuperado el peso al nacer a las 3 semanas".
    QString earlyLoss(const ReviewedWeighing& weighing) const;
    // The whole centile spaces fallen since the highest position, when they are to be signalled;
    // 0 otherwise.
    int spacesFallen(const ReviewedWeighing& weighing) const;
    // The fall and the weight below the lowest line, as they read after an early loss.
    QString laterSignal(int spacesFallen, bool belowLowestCurve) const;

    QDate m_birthDate;
    // The first weighing dated on the birth date that stands.
    std::optional<double> m_birthGrams;
    // The whole centile spaces a fall must cross, set by the birth weight's position, or the
    // first position there is when the birth weight has none.
    std::optional<int> m_spacesToSignal;
    std::optional<double> m_highest;
    QDate m_highestOn; // the latest weighing at the highest position
    // The texts of a fall from the weighing of `m_fallTextsFrom`, by whole spaces and by whether
    // the weight is below the lowest line; made as they are first read. A fall crosses at most
    // five spaces, from above P97 to below P3.
    mutable std::array<std::array<QString, 2>, 6> m_fallTexts;
    mutable QDate m_fallTextsFrom;
};

// The signal of each weighing of a child born on `birthDate`, in order, each read after those
// before it.
QList<QString> reviewSignals(QDate birthDate, std::span<const ReviewedWeighing> weighings);

} // namespace zelpo
