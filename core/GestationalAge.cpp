#include "core/GestationalAge.h"

#include <QRegularExpression>

namespace zelpo {

namespace {

constexpr int kDaysAWeek = 7;
// 40 weeks: the due date.
constexpr int kDueDays = 40 * kDaysAWeek;
constexpr int kTermDays = 37 * kDaysAWeek;
// Born before 32 weeks, a baby is corrected for a second year.
constexpr int kVeryEarlyDays = 32 * kDaysAWeek;
constexpr int kEarliestDays = 22 * kDaysAWeek;
constexpr int kLatestDays = 44 * kDaysAWeek + 6;

} // namespace

std::optional<GestationalAge> GestationalAge::fromText(QStringView text)
{
    // One a thread: corrections are read on worker threads too, and it is compiled on first use.
    thread_local const QRegularExpression weeksAndDays(
        QStringLiteral("^\\s*(\\d{1,2})\\s*(?:\\+\\s*([0-6])\\s*)?$"));
    const QRegularExpressionMatch match = weeksAndDays.match(text.toString());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int days = match.capturedView(1).toInt() * kDaysAWeek + match.capturedView(2).toInt();
    if (days < kEarliestDays || days > kLatestDays) {
        return std::nullopt;
    }
    return GestationalAge(days);
}

QString GestationalAge::text() const
{
    return QStringLiteral("%1+%2").arg(m_days / kDaysAWeek).arg(m_days % kDaysAWeek);
}

bool GestationalAge::bornEarly() const
{
    return m_days < kTermDays;
}

int GestationalAge::correctedUntilMonths() const
{
    return m_days < kVeryEarlyDays ? 24 : 12;
}

std::optional<double> correctedAge(double days, const std::optional<GestationalAge>& gestation)
{
    if (!gestation || !gestation->bornEarly()) {
        return std::nullopt;
    }
    const double corrected = days - (kDueDays - gestation->days());
    const double until = gestation->days() < kVeryEarlyDays ? 730 : 365;
    return corrected < until ? std::optional(corrected) : std::nullopt;
}

} // namespace zelpo
