#pragma once

#include "core/PercentileCurves.h"
#include "core/WeighingReading.h"

#include <optional>

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// A patient file's weighings as a table: what was stored, the age the chart plots it at, and
// where it stands among the chart's curves.
namespace zelpo {

// A weighing as the chart places it, read against the weighing before it.
struct StoredWeighing : WeighingReading
{
    QString date; // dd/mm/yyyy, as the chart places it
    double grams;
    qsizetype record; // its place in the patient file, the birth date being 0
};

struct StoredHistory
{
    ChartSex sex;                   // whose curves the weighings are read against
    std::optional<QDate> birthDate; // nothing when the first record is no date
    QList<StoredWeighing> weighings;
};

// The records of a patient file, birth date first, as rows in file order, read against the
// curves of the given chart. A weighing whose date cannot be read keeps the date of the one
// before it, as the chart places it; one with no weighing before it is left out, as it is left
// off the chart. Each weighing's gain is counted from the row before it.
StoredHistory storedHistory(const QStringList& records, ChartSex sex);

} // namespace zelpo
