#include "records/StoredWeighings.h"

#include "core/Conversions.h"
#include "records/PatientFile.h"

namespace zelpo {

StoredHistory storedHistory(const QStringList& records, ChartSex sex)
{
    StoredHistory history{sex, std::nullopt, {}};
    if (records.isEmpty() || !(history.birthDate = dateValue(records.first()))) {
        return history;
    }
    history.weighings.reserve(records.size() - 1);
    std::optional<EarlierWeighing> earlier;
    qsizetype record = 0;
    for (const PlacedWeighing& weighing : placeWeighings(records.sliced(1))) {
        ++record;
        if (!weighing.date) {
            continue;
        }
        const WeighingReading reading =
            readWeighing(sex, *history.birthDate, *weighing.date, weighing.grams, earlier);
        history.weighings.append({reading, dateText(*weighing.date), weighing.grams, record});
        earlier = EarlierWeighing{*weighing.date, weighing.grams};
    }
    return history;
}

} // namespace zelpo
