#pragma once

#include "core/Failure.h"
#include "records/RecordFile.h"

#include <optional>

#include <QDate>
#include <QDir>
#include <QString>
#include <QStringList>

// The corrections file beside a patient file: a weighing struck out or restored, a birth date
// corrected, each with its reason. The patient file itself is never rewritten, so copies of the
// program that know nothing of corrections read it as before; what was first written is never
// lost. Like the patient file, this file is only ever created and appended to.
namespace zelpo {

enum class CorrectionKind : char {
    StruckOut = 'A', // anulada
    Restored = 'R',  // restituida
    BirthDate = 'N', // fecha de nacimiento corregida
};

struct Correction
{
    CorrectionKind kind;
    qsizetype record;   // the record's place in the patient file; the birth date is 0
    QString recordText; // the record as it stands in the patient file; for BirthDate the new date
    QDate date;         // when the correction was made
    QString reason;     // without quotation marks or line ends
};

// The longest reason a correction keeps.
inline constexpr qsizetype maxCorrectionReasonLength = 80;
// A correction's record: kind, number, the patient file's record (at most maxRecordLength), the
// date and the reason, with room to spare for numbers past 9999.
inline constexpr qsizetype maxCorrectionRecordLength = 192;

// "0004711M.COR" for "0004711M.CRV".
QString correctionsFileName(const QString& patientFileName);

// "A|0003|03/05/20250000001200|07/12/2026|error de tipeo": the reason without quotation marks,
// line ends or other control characters, cut to maxCorrectionReasonLength.
QString correctionRecord(const Correction& correction);

// The correction a record holds; nothing when it is not one (a bad kind, number, date or field
// count).
std::optional<Correction> parseCorrection(const QString& record);

// Appends one correction to the corrections file of `patientFileName` in `directory`, creating
// the file when there is none, under the patient file's rules: an ordinary file only, never
// through a link, the whole append under the exclusive lock after a read-back, the same wait for
// another desk and the same size limit. Hands back every record of the file as read back, the
// new one last.
Result<QStringList> appendCorrection(const QString& patientFileName, const Correction& correction,
                                     const QDir& directory, const WhileWaiting& whileWaiting = {});

// Every record of the corrections file, under the shared lock; a file not there gives no records
// and no failure.
RecordReading readCorrections(const QString& patientFileName, const QDir& directory,
                              const WhileWaiting& whileWaiting = {});

} // namespace zelpo
