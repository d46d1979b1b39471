#pragma once

#include "core/Failure.h"
#include "records/CorrectionsFile.h"
#include "records/StoredWeighings.h"

#include <optional>

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What the corrections kept beside a patient file change in it, worked out from the records of
// both files alone: which corrections apply, and why the others do not.
namespace zelpo {

// A correction left unapplied: its place among the corrections file's records, and why.
struct UnappliedCorrection
{
    qsizetype index;
    CorrectionFault fault;
};

struct AppliedCorrections
{
    RecordCorrections corrections;
    QDate birthDateCorrectedOn; // when `corrections.birthDate` is set, the day it was corrected
    QList<UnappliedCorrection> unapplied;
};

// The corrections, in the corrections file's order, applied to the patient file's records (its
// birth date first). Each correction applies only to the very record it names, as that record
// stands in the patient file, and the last one about a record decides. A correction whose reason
// is refused, or a birth date corrected to after the day it was corrected on or after the first
// stored weighing, is not applied.
AppliedCorrections applyCorrections(const QStringList& patientRecords,
                                    const QStringList& correctionRecords);

// Why a birth date may not be corrected to `birthDate` on `day`, in a sentence for the user:
// every age must count from a birth before the day of the correction and before the first stored
// weighing. Nothing when it may.
std::optional<QString> birthDateCorrectionRefusal(QDate birthDate, QDate day,
                                                  const QStringList& patientRecords);

// The one failure that tells the user which corrections were left unapplied and why, each by its
// line in the corrections file as an editor counts it (`lines`, one for each correction record);
// nothing when every correction applied.
MaybeFailure unappliedCorrectionsFailure(const QList<UnappliedCorrection>& unapplied,
                                         const QList<qsizetype>& lines,
                                         const QString& patientFileName);

} // namespace zelpo
