#pragma once

#include "core/PercentileCurves.h"
#include "core/ReviewSignal.h"
#include "core/WeighingReading.h"

#include <array>
#include <optional>

#include <QDate>
#include <QHash>
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
    qsizetype record;  // its place in the patient file, the birth date being 0
    QString struckOut; // why it was struck out as entered in error; empty while it stands
    bool dateBorrowed; // its own date cannot be read: it stands at the date of the one before
    // What there is to review in it, read after the weighings before it: "por debajo de P3";
    // empty when there is nothing, and for one struck out.
    QString review;
};

struct StoredHistory
{
    ChartSex sex;                   // whose curves the weighings are read against
    std::optional<QDate> birthDate; // the ages count from it; nothing when there is none
    QList<StoredWeighing> weighings;
    // The gestational age at birth as recorded; the ages of a baby born early are corrected.
    std::optional<GestationalAge> gestation;
    // What the weighings leave for the review of one plotted after them.
    ReviewState review{};
};

// What the corrections made to a patient file change in it: the file itself never changes.
struct RecordCorrections
{
    QHash<qsizetype, QString> struckOut;     // record -> why it was struck out
    std::optional<QDate> birthDate;          // the birth date as corrected
    std::optional<GestationalAge> gestation; // the gestational age at birth as recorded
};

// Whether a stored weighing is drawn on the chart at all: it stands (one entered in error stays in
// the file and the tables only), and a baby born early was due by then, since the chart starts at
// term.
bool drawnOnChart(const StoredWeighing& weighing, const std::optional<GestationalAge>& gestation);

// The columns a stored weighing is shown in, in their order, by the table of stored weighings,
// the printed page and the spreadsheet alike.
enum class WeighingColumn {
    Date,
    Days,
    Months,
    CorrectedDays,
    CorrectedMonths,
    Grams,
    Band,
    Gain,
    State,
    Review
};

// The columns of weighings, with the corrected age's after the age from birth or without them.
QList<WeighingColumn> weighingColumns(bool correctedAge);
// The columns of a history's weighings: the corrected age's for a baby born early.
QList<WeighingColumn> weighingColumns(const StoredHistory& history);

// "Fecha", "Días", "Meses", "Días corregidos", "Meses corregidos", "Gramos", "Percentil",
// "g/día", "Estado", "Para revisar".
QString weighingColumnTitle(WeighingColumn column);

// The weighing's cell in that column: "28/10/2024", "730", "24", "662", "21", "13100",
// "P50–P75", "+13", "anulada: error de tipeo", "por debajo de P3"; a band, a gain or a corrected
// age there is none of reads `none`, a weighing that stands an empty state.
QString weighingCell(const StoredWeighing& weighing, WeighingColumn column, const QString& none);

// "anulada: error de tipeo" for a weighing struck out with that reason; empty while it stands.
QString struckOutText(const QString& reason);

// The records of a patient file, birth date first, as rows in file order, read against the
// curves of the given chart. A weighing whose date cannot be read keeps the date of the one
// before it, as the chart places it; one with no weighing before it is left out, as it is left
// off the chart. The ages count from the corrected birth date when there is one. Each weighing's
// gain is counted from the row before it that is not struck out, and what there is to review in
// it is read after the rows before it that are not.
StoredHistory storedHistory(const QStringList& records, ChartSex sex,
                            const RecordCorrections& corrections = {});

} // namespace zelpo
