#pragma once

#include "core/Failure.h"
#include "records/RecordFile.h"

#include <optional>

#include <QDate>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The patient file: one per child and sex, named after the clinical-history number, holding the
// birth date and then one record per stored weighing. It is only ever created and appended to.
namespace zelpo {

// Whether the history-number text names a child: a whole number other than 0. The box opens
// holding 0, which names no child: weighings of children never numbered would all be filed
// together under the first one's birth date, and "12.9" would be filed under child 12.
bool namesAChild(QStringView historyText);

// The file's name, e.g. 0004711M.CRV: the history number's integer part in seven characters,
// "V" for Varón or "M" for Mujer, ".CRV". Fails when the integer part needs more than seven.
Result<QString> NombreArchivo(const QString& historyText, bool varonSelected);

// A patient file as it stood once a weighing was appended to it: every record, the birth date
// first, and where the appended weighing is among them.
struct FiledWeighing
{
    QStringList records;
    qsizetype record; // the appended weighing's place in `records`; the birth date is 0
};

// Appends one weighing of `grams` (its whole part), dated `today`, to the patient file
// `fileName` in `directory`, first creating the file with the birth-date record when there is
// none. The birth date of an existing file is never touched, and nothing is appended to a file
// that cannot be read back as a history, nor one with another name (a hard link), nor while
// another desk keeps the file in use past otherDeskWait. The file read back under the lock, with
// the weighing, is handed back: it holds whatever other desks stored before, and nothing they store
// after.
Result<FiledWeighing> GuardarMedida(const QString& fileName, QDate birthDate, double grams,
                                    QDate today, const QDir& directory,
                                    const WhileWaiting& whileWaiting = {});

// Whether the patient file exists as an ordinary file in `directory`; fails when something else
// (a link, a pipe, a device, a folder) stands under its name.
Result<bool> patientFileExists(const QString& fileName, const QDir& directory);

// Every record of the file in order: the birth date first, then the weighings. Another desk
// holding the file is waited for `wait` (zero: a file held fails at once, as in use there).
RecordReading readPatientRecords(const QString& fileName, const QDir& directory,
                                 const WhileWaiting& whileWaiting = {},
                                 std::chrono::milliseconds wait = otherDeskWait);

struct WeighingRecord
{
    QString dateText; // the record's first 10 characters
    double grams;     // the number at the start of its last 10 characters; 0 when none
};

WeighingRecord splitWeighingRecord(const QString& record);

// A weighing record at the date the chart places it: its own, or, when that cannot be read, the
// date of the weighing before it (`dateBorrowed`); none when no weighing before it has one.
struct PlacedWeighing
{
    std::optional<QDate> date;
    bool dateBorrowed;
    double grams;
};

// The weighing records of a file, all but its first record, each placed, in file order.
QList<PlacedWeighing> placeWeighings(const QStringList& weighingRecords);

} // namespace zelpo
