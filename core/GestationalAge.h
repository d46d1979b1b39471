#pragma once

#include <optional>

#include <QString>
#include <QStringView>

// A baby born early is read at its corrected age: the age counted from the day it was due, 40
// weeks after the mother's last period, rather than from its birth. This is the usual rule of
// growth charts: a baby born at 32+0 to 36+6 weeks is corrected until its corrected age reaches a
// year, one born before 32+0 until two years; past that, and for a baby born at term (37+0 or
// later), the age from birth is the one read.
namespace zelpo {

// The gestational age at birth, in weeks and days: 30+2 is 30 weeks and 2 days, 212 days.
class GestationalAge
{
public:
    // "30+2", or "30" for 30+0, blanks allowed around its parts, from 22+0 to 44+6; nothing for
    // anything else.
    static std::optional<GestationalAge> fromText(QStringView text);
    // How many characters a box offers for the text: the weeks and days with blanks around
    // them, as the reader takes them (" 30 + 2 ").
    static constexpr int kLongestText = 32;

    int days() const { return m_days; }
    // "30+2".
    QString text() const;
    // Born before 37+0: the age is corrected.
    bool bornEarly() const;
    // The corrected age in whole months up to which the age is corrected: 12 or 24.
    int correctedUntilMonths() const;

private:
    explicit GestationalAge(int days) : m_days(days) {}

    int m_days;
};

// The age, in days, a weighing of a child `days` old is read at when born at `gestation`: the age
// less the days born before the due date, while the correction runs, negative before the due
// date; nothing when no correction applies.
std::optional<double> correctedAge(double days, const std::optional<GestationalAge>& gestation);

} // namespace zelpo
