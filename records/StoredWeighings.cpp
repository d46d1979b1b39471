#include "records/StoredWeighings.h"

#include "core/Conversions.h"
#include "core/Readout.h"
#include "records/PatientFile.h"

#include <cmath>

namespace zelpo {

StoredHistory storedHistory(const QStringList& records)
{
    StoredHistory history;
    if (records.isEmpty() || !(history.birthDate = dateValue(records.first()))) {
        return history;
    }
    for (const PlacedWeighing& weighing : placeWeighings(records.sliced(1))) {
        if (!weighing.date) {
            continue;
        }
        const double days = daysBetween(*history.birthDate, *weighing.date);
        // The readout holds the days in single precision and rounds the months down.
        const int months = static_cast<int>(std::floor(ageInMonths(static_cast<float>(days))));
        history.weighings.append({dateText(*weighing.date), days, months, weighing.grams});
    }
    return history;
}

} // namespace zelpo
