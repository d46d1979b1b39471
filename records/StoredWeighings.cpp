#include "records/StoredWeighings.h"

#include "core/Conversions.h"
#include "records/PatientFile.h"

namespace zelpo {

QList<WeighingColumn> weighingColumns(const StoredHistory& history)
{
    return weighingColumns(history.gestation && history.gestation->bornEarly());
}

QList<WeighingColumn> weighingColumns(bool correctedAge)
{
    using Column = WeighingColumn;
    if (correctedAge) {
        return {Column::Date,
                Column::Days,
                Column::Months,
                Column::CorrectedDays,
                Column::CorrectedMonths,
                Column::Grams,
                Column::Band,
                Column::Gain,
                Column::State,
                Column::Review};
    }
    return {Column::Date, Column::Days, Column::Months, Column::Grams,
            Column::Band, Column::Gain, Column::State,  Column::Review};
}

QString weighingColumnTitle(WeighingColumn column)
{
    switch (column) {
    case WeighingColumn::Date:
        return QStringLiteral("Fecha");
    case WeighingColumn::Days:
        return QStringLiteral("Días");
    case WeighingColumn::Months:
        return QStringLiteral("Meses");
    case WeighingColumn::CorrectedDays:
        return QStringLiteral("Días corregidos");
    case WeighingColumn::CorrectedMonths:
        return QStringLiteral("Meses corregidos");
    case WeighingColumn::Grams:
        return QStringLiteral("Gramos");
    case WeighingColumn::Band:
        return QStringLiteral("Percentil");
    case WeighingColumn::Gain:
        return QStringLiteral("g/día");
    case WeighingColumn::State:
        return QStringLiteral("Estado");
    case WeighingColumn::Review:
        return QStringLiteral("Para revisar");
    }
    return QString();
}

QString weighingCell(const StoredWeighing& weighing, WeighingColumn column, const QString& none)
{
    switch (column) {
    case WeighingColumn::Date:
        return weighing.date;
    case WeighingColumn::Days:
        return QString::number(weighing.days, 'f', 0);
    case WeighingColumn::Months:
        return QString::number(weighing.months);
    case WeighingColumn::CorrectedDays:
        return weighing.correctedDays ? QString::number(*weighing.correctedDays, 'f', 0) : none;
    case WeighingColumn::CorrectedMonths:
        // Before the due date the corrected days say how long before it; months there are none.
        if (weighing.correctedDays && !weighing.correctedMonths) {
            return QString();
        }
        return weighing.correctedMonths ? QString::number(*weighing.correctedMonths) : none;
    case WeighingColumn::Grams:
        return QString::number(weighing.grams, 'f', 0);
    case WeighingColumn::Band:
        return weighing.band.isEmpty() ? none : weighing.band;
    case WeighingColumn::Gain:
        return weighing.gramsPerDay ? gainText(weighing.gramsPerDay) : none;
    case WeighingColumn::State:
        return struckOutText(weighing.struckOut);
    case WeighingColumn::Review:
        return weighing.review;
    }
    return QString();
}

bool drawnOnChart(const StoredWeighing& weighing, const std::optional<GestationalAge>& gestation)
{
    const std::optional<double> corrected = correctedAge(weighing.days, gestation);
    return weighing.struckOut.isEmpty() && (!corrected || *corrected >= 0);
}

QString struckOutText(const QString& reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral("anulada: ") + reason;
}

StoredHistory storedHistory(const QStringList& records, ChartSex sex,
                            const RecordCorrections& corrections)
{
    StoredHistory history{sex, std::nullopt, {}, corrections.gestation};
    if (records.isEmpty() || !dateValue(records.first())) {
        return history;
    }
    history.birthDate = corrections.birthDate ? corrections.birthDate : dateValue(records.first());
    history.weighings.reserve(records.size() - 1);
    history.review = ReviewState(*history.birthDate);
    std::optional<EarlierWeighing> earlier;
    qsizetype record = 0;
    for (const PlacedWeighing& weighing : placeWeighings(records.sliced(1))) {
        ++record;
        if (!weighing.date) {
            continue;
        }
        const WeighingReading reading = readWeighing(sex, *history.birthDate, *weighing.date,
                                                     weighing.grams, earlier, history.gestation);
        const QString struckOut = corrections.struckOut.value(record);
        const QString review = history.review.review(
            reviewedWeighing(*weighing.date, weighing.grams, !struckOut.isEmpty(), reading));
        history.weighings.append({reading, dateText(*weighing.date), weighing.grams, record,
                                  struckOut, weighing.dateBorrowed, review});
        // A weighing entered in error is no step of the child's growth.
        if (struckOut.isEmpty()) {
            earlier = EarlierWeighing{*weighing.date, weighing.grams};
        }
    }
    return history;
}

} // namespace zelpo
