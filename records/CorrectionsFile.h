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
    StruckOut = 'A',      // anulada
    Restored = 'R',       // restituida
    BirthDate = 'N',      // fecha de nacimiento corregida
    GestationalAge = 'G', // edad gestacional al nacer, kept where a reason would be: "30+2"
};

struct Correction
{
    CorrectionKind kind;
    qsizetype record; // the record's place in the patient file; the birth date is 0
    // The record as it stands in the patient file; for BirthDate the new date.
    QString recordText;
    QDate date;     // when the correction was made
    QString reason; // without quotation marks or line ends; for GestationalAge, the age: "30+2"
};

// The longest reason a correction keeps, in characters (an emoji is one).
inline constexpr qsizetype maxCorrectionReasonLength = 80;
// A correction's record: kind, number, the patient file's record (at most maxRecordLength), the
// date and the reason, with room to spare for numbers past 9999.
inline constexpr qsizetype maxCorrectionRecordLength = 192;

inline constexpr RecordFileKind correctionsFileKind{"un archivo de correcciones",
                                                    "un archivo de correcciones", "correcciones",
                                                    maxCorrectionRecordLength};

// What a reason may not hold, as the user is told: the record would end early or be split over
// two lines when read back.
inline constexpr char unkeptReasonCharacters[] = "comillas, tabulaciones ni saltos de línea";

// Why a correction is not applied, or not written.
enum class CorrectionFault {
    NotACorrection,    // a bad kind, number, date or field count
    NoMatch,           // names a record the patient file does not hold as it stands
    ReasonMissing,     // a strike-out or a birth date corrected without a letter or digit of reason
    ReasonUnkept,      // a reason too long, or with characters the record cannot hold
    ReasonReversed,    // a reason with bidirectional controls, which would print in another order
    BirthDateAfterDay, // a birth date corrected to after the day it was corrected on
    BirthDateAfterWeighing, // a birth date corrected to after the first stored weighing
    NoGestationalAge,       // a gestational age that is none from 22+0 to 44+6
};

// What the fault is, as a sentence's end: "falta el motivo".
QString faultText(CorrectionFault fault);

// "0004711M.COR" for "0004711M.CRV".
QString correctionsFileName(const QString& patientFileName);

// The reason as a correction's record keeps it: without quotation marks, tabs, line ends, other
// control characters or halves of characters, blanks trimmed, cut to maxCorrectionReasonLength
// characters without cutting one.
QString keptReason(const QString& typed);

// "A|0003|03/05/20250000001200|07/12/2026|error de tipeo", the reason as keptReason keeps it.
QString correctionRecord(const Correction& correction);

// The correction a record holds; nothing when it is not one (a bad kind, number, date or field
// count). Its reason is not looked at.
std::optional<Correction> parseCorrection(const QString& record);

// What is wrong with the correction's reason, as strictly when it is written as when it is read:
// 1 to maxCorrectionReasonLength characters the record can hold, at least one a letter or digit
// (a zero-width space or combining marks alone show nothing), none changing the direction of the
// text; a restoring needs none, and a gestational age is one from 22+0 to 44+6.
std::optional<CorrectionFault> reasonFault(const Correction& correction);

// Appends one correction to the corrections file of `patientFileName` in `directory`, creating
// the file when there is none, under the patient file's rules: an ordinary file only, never
// through a link, the whole append under the exclusive lock after a read-back, the same wait for
// another desk and the same size limit. Nothing is written when the reason is refused, when the
// file is the patient file under another name, has any other name (a hard link: twins share a
// birth date, and one child's correction would fit the other's file) or starts with a birth date
// as one does, nor when there is no patient file. Hands back every record of the file as read back,
// the new one last.
Result<QStringList> appendCorrection(const QString& patientFileName, const Correction& correction,
                                     const QDir& directory, const WhileWaiting& whileWaiting = {});

// Every record of the corrections file, under the shared lock, another desk holding it waited for
// `wait` (zero: not at all); a file not there gives no records and no failure. A file that is the
// patient file under another name, has any other name, or starts with a birth date as a patient
// file does, gives a failure that names it and says why, and no records.
RecordReading readCorrections(const QString& patientFileName, const QDir& directory,
                              const WhileWaiting& whileWaiting = {},
                              std::chrono::milliseconds wait = otherDeskWait);

// A corrections file standing under the patient file's name while the patient file is not there
// (copied in, or left when the patient file was removed by hand): its corrections were written
// for another child's file and are never applied, and no patient file is created beside it. The
// failure names both files; nothing when there is no such file.
MaybeFailure strayCorrections(const QString& patientFileName, const QDir& directory);

} // namespace zelpo
