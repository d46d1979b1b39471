#include "chart/StoredWeighings.h"

#include "app/Conversions.h"
#include "chart/Readout.h"
#include "records/PatientFile.h"

#include <cmath>

namespace zelpo {

StoredHistory storedHistory(const QStringList& records)
{
    StoredHistory history;
    if (records.isEmpty() || !(history.birthDate = dateValue(records.first()))) {
        return history;
    }
    std::optional<QDate> previousDate;
    for (const QString& record : records.sliced(1)) {
        const WeighingRecord weighing = splitWeighingRecord(record);
        std::optional<QDate> date = dateValue(weighing.dateText);
        if (!date) {
            date = previousDate;
        }
        if (!date) {
            continue;
        }
        previousDate = date;
        const double days = daysBetween(*history.birthDate, *date);
        // The readout holds the days in single precision and rounds the months down.
        const int months = static_cast<int>(std::floor(ageInMonths(static_cast<float>(days))));
        history.weighings.append({dateText(*date), days, months, weighing.grams});
    }
    return history;
}

} // namespace zelpo
