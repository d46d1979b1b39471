#pragma once

#include <optional>

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// A patient file's weighings as a table: what was stored and the age the chart plots it at.
namespace zelpo {

struct StoredWeighing
{
    QString date; // dd/mm/yyyy, as stored
    double days;  // age on that day
    int months;   // whole months, counted as the pointer readout counts them
    double grams;
};

struct StoredHistory
{
    std::optional<QDate> birthDate; // nothing when the first record is no date
    QList<StoredWeighing> weighings;
};

// The records of a patient file, birth date first, as rows in file order. A weighing whose date
// cannot be read keeps the date of the one before it, as the chart places it; one with no
// weighing before it is left out, as it is left off the chart.
StoredHistory storedHistory(const QStringList& records);

} // namespace zelpo
