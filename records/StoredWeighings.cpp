#include "records/StoredWeighings.h"

#include "core/Conversions.h"
#include "records/PatientFile.h"

namespace zelpo {

StoredHistory storedHistory(const QStringList& records, ChartSex sex,
                            const RecordCorrections& corrections)
{
    StoredHistory history{sex, std::nullopt, {}};
    if (records.isEmpty() || !dateValue(records.first())) {
        return history;
    }
    history.birthDate = corrections.birthDate ? corrections.birthDate : dateValue(records.first());
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
        const QString struckOut = corrections.struckOut.value(record);
        history.weighings.append({reading, dateText(*weighing.date), weighing.grams, record,
                                  struckOut, weighing.dateBorrowed});
        // A weighing entered in error is no step of the child's growth.
        if (struckOut.isEmpty()) {
            earlier = EarlierWeighing{*weighing.date, weighing.grams};
        }
    }
    return history;
}

} // namespace zelpo
