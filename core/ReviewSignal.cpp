#include "core/ReviewSignal.h"

#include "core/Conversions.h"

#include <cmath>

namespace zelpo {

namespace {

// A centile space of the UK-WHO charts: two thirds of a standard deviation.
constexpr double kCentileSpace = 0.67;
// A fall of whole spaces or a loss of a whole tenth, worked out in binary fractions, may come out
// a hair short of it.
constexpr double kSlack = 1e-9;
// The normal scores of P10 and P90: a birth weight below the one is signalled after a fall of a
// single space, one above the other after three, any other after two.
constexpr double kLowBirthPosition = -1.282;
constexpr double kHighBirthPosition = 1.282;
// A newborn losing a tenth of its birth weight in its first 20 days, or still under it from its
// 21st to its 42nd day, is signalled.
constexpr double kMostLossPercent = 10.0;
constexpr qint64 kLossDays = 20;
constexpr qint64 kRegainDays = 42;
// The fall is only read from two weeks of age on, past a newborn's first loss and regain.
constexpr double kFallFromDays = 14;

int spacesToSignal(double firstPosition)
{
    if (firstPosition < kLowBirthPosition) {
        return 1;
    }
    return firstPosition > kHighBirthPosition ? 3 : 2;
}

} // namespace

ReviewedWeighing reviewedWeighing(QDate date, double grams, bool struckOut,
                                  const WeighingReading& reading)
{
    // Before the due date the chart, which starts at term, reads no age.
    const bool beforeTerm = reading.correctedDays && *reading.correctedDays < 0;
    return {date, grams, struckOut,
            beforeTerm ? std::nullopt : std::optional(reading.correctedDays.value_or(reading.days)),
            reading.position};
}

QString ReviewState::signalOf(const ReviewedWeighing& weighing) const
{
    if (weighing.struckOut) {
        return QString();
    }
    const QString later = laterSignal(spacesFallen(weighing),
                                      weighing.position && weighing.position->belowLowestCurve);
    const QString early = earlyLoss(weighing);
    if (early.isEmpty() || later.isEmpty()) {
        return early.isEmpty() ? later : early;
    }
    return early + QStringLiteral("; ") + later;
}

QString ReviewState::earlyLoss(const ReviewedWeighing& weighing) const
{
    const qint64 day = m_birthDate.daysTo(weighing.date);
    if (!m_birthGrams || !(*m_birthGrams > 0) || day < 1 || day > kRegainDays) {
        return QString();
    }
    if (day > kLossDays) {
        return weighing.grams < *m_birthGrams
                   ? QStringLiteral("no ha recuperado el peso al nacer a las 3 semanas")
                   : QString();
    }
    const double lossPercent = (*m_birthGrams - weighing.grams) * 100 / *m_birthGrams;
    if (!(lossPercent >= kMostLossPercent - kSlack)) {
        return QString();
    }
    return QStringLiteral("perdió el %1 % del peso al nacer")
        .arg(QString::number(lossPercent, 'f', 1).replace(u'.', u','));
}

int ReviewState::spacesFallen(const ReviewedWeighing& weighing) const
{
    const std::optional<PercentilePosition>& position = weighing.position;
    if (!position || !m_highest || !m_spacesToSignal || !weighing.readAtDays ||
        *weighing.readAtDays < kFallFromDays) {
        return 0;
    }
    const double fallen = std::floor((*m_highest - position->score) / kCentileSpace + kSlack);
    return fallen >= *m_spacesToSignal ? static_cast<int>(fallen) : 0;
}

QString ReviewState::laterSignal(int spacesFallen, bool belowLowestCurve) const
{
    static const QString below = QStringLiteral("por debajo de P3");
    if (spacesFallen == 0) {
        return belowLowestCurve ? below : QString();
    }
    // A long history reads the same fall from the same highest weighing again and again: its
    // text is made once and shared.
    if (m_fallTextsFrom != m_highestOn) {
        m_fallTexts = {};
        m_fallTextsFrom = m_highestOn;
    }
    const bool kept = spacesFallen < int(m_fallTexts.size());
    if (kept && !m_fallTexts[spacesFallen][belowLowestCurve].isNull()) {
        return m_fallTexts[spacesFallen][belowLowestCurve];
    }
    QString text =
        QStringLiteral("bajó %1 %2 de percentil desde el %3")
            .arg(QString::number(spacesFallen),
                 spacesFallen == 1 ? QStringLiteral("espacio") : QStringLiteral("espacios"),
                 dateText(m_highestOn));
    if (belowLowestCurve) {
        text += QStringLiteral("; ") + below;
    }
    if (kept) {
        m_fallTexts[spacesFallen][belowLowestCurve] = text;
    }
    return text;
}

void ReviewState::take(const ReviewedWeighing& weighing)
{
    if (weighing.struckOut) {
        return;
    }
    const std::optional<PercentilePosition>& position = weighing.position;
    const bool birthWeight = !m_birthGrams && weighing.date == m_birthDate;
    if (birthWeight) {
        m_birthGrams = weighing.grams;
    }
    if (position && (birthWeight || !m_spacesToSignal)) {
        m_spacesToSignal = spacesToSignal(position->score);
    }
    // The latest of several at the highest position is the one a fall is counted from.
    if (position && (!m_highest || position->score >= *m_highest)) {
        m_highest = position->score;
        m_highestOn = weighing.date;
    }
}

QString ReviewState::review(const ReviewedWeighing& weighing)
{
    QString signal = signalOf(weighing);
    take(weighing);
    return signal;
}

QList<QString> reviewSignals(QDate birthDate, std::span<const ReviewedWeighing> weighings)
{
    QList<QString> texts;
    texts.reserve(qsizetype(weighings.size()));
    ReviewState state(birthDate);
    for (const ReviewedWeighing& weighing : weighings) {
        texts.append(state.review(weighing));
    }
    return texts;
}

} // namespace zelpo
