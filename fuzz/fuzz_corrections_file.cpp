// The corrections file beside a patient file is written by other desks and may be edited by hand,
// as the patient file may. Whatever the two files hold, looking the child up through the history
// must end quickly and leave both files as they were; a correction must only apply where it names
// the patient file's record as it stands and keeps a reason; a birth date corrected must come
// before every weighing; a history is never shown half-corrected; and a weighing the program
// strikes out must read back struck out, its record added whole at the file's end.
//
// The input is the patient file, then a NUL byte and the corrections file; without a NUL byte
// there is no corrections file.

#include "core/Conversions.h"
#include "fuzz/FuzzInput.h"
#include "history/ChildHistory.h"
#include "records/CorrectionsFile.h"
#include "records/PatientFile.h"

#include <algorithm>

#include <QFile>

using zelpo::fuzz::contentOf;
using zelpo::fuzz::requireThat;

namespace {

const QString patientFileName = QStringLiteral("0004711M.CRV");
const QString correctionsFileName = QStringLiteral("0004711M.COR");
const QDate today(2030, 1, 1);

// What the history shows agrees with the corrections it took.
void checkApplied(const zelpo::ChildHistory& history, const QStringList& records,
                  const QString& context)
{
    for (const zelpo::StoredWeighing& weighing : history.stored().weighings) {
        requireThat(weighing.struckOut.toUcs4().size() <= zelpo::maxCorrectionReasonLength,
                    "a reason kept is 80 characters at most", context);
        requireThat(weighing.record >= 1 && weighing.record < records.size(),
                    "every weighing is a record of the patient file", context);
    }
    if (const auto& correction = history.birthDateCorrection()) {
        requireThat(history.stored().birthDate == correction->date && history.fileBirthDate(),
                    "a corrected birth date replaces the file's own", context);
        requireThat(correction->date <= correction->correctedOn,
                    "no birth date is corrected to after the day of the correction", context);
        for (qsizetype record = 1; record < records.size(); ++record) {
            const std::optional<QDate> day =
                zelpo::dateValue(zelpo::splitWeighingRecord(records[record]).dateText);
            requireThat(!day || correction->date <= *day,
                        "no birth date is corrected to after a stored weighing", context);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QDir folder(zelpo::fuzz::workFolder());
    const QString patientPath = folder.filePath(patientFileName);
    const QString correctionsPath = folder.filePath(correctionsFileName);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray patient = split < 0 ? input : input.first(split);
    const QByteArray corrections = split < 0 ? QByteArray() : input.sliced(split + 1);
    zelpo::fuzz::writeFile(patientPath, patient);
    QFile::remove(correctionsPath);
    if (split >= 0) {
        zelpo::fuzz::writeFile(correctionsPath, corrections);
    }
    const QString context = QString::fromLatin1(input.left(300));

    zelpo::ChildHistory history(folder, {QStringLiteral("0"), false});
    const zelpo::HistoryLookup lookup = history.load({QStringLiteral("4711"), false});
    requireThat(contentOf(patientPath) == patient && contentOf(correctionsPath) == corrections,
                "looking a child up leaves both files as they were", context);
    if (zelpo::readCorrections(patientFileName, folder).failure) {
        requireThat(!history.hasPatientFile(),
                    "a corrections file that cannot be read leaves no history shown", context);
        requireThat(lookup.failure ||
                        zelpo::readPatientRecords(patientFileName, folder).records.isEmpty(),
                    "a history left unshown for its corrections file says why", context);
    }
    // The patient file is only ever read: the records the history took are the file's.
    const QStringList records = zelpo::readPatientRecords(patientFileName, folder).records;
    checkApplied(history, records, context);

    // The program's own strike-out of the last weighing that stands.
    const QList<zelpo::StoredWeighing>& weighings = history.stored().weighings;
    const auto standing =
        std::find_if(weighings.crbegin(), weighings.crend(),
                     [](const auto& weighing) { return weighing.struckOut.isEmpty(); });
    if (standing == weighings.crend()) {
        return 0;
    }
    const qsizetype record = standing->record;
    const zelpo::MaybeFailure struck = history.strikeOut(record, QStringLiteral("fuzz"), today);
    requireThat(contentOf(patientPath) == patient, "a correction never touches the patient file",
                context);
    const QByteArray after = contentOf(correctionsPath);
    if (struck) {
        requireThat(after == corrections, "a refused correction writes nothing", context);
        return 0;
    }
    requireThat(after.startsWith(corrections) && after.endsWith("|fuzz\"\r\n"),
                "a correction is added whole at the file's end", context);
    zelpo::ChildHistory reread(folder, {QStringLiteral("0"), false});
    reread.load({QStringLiteral("4711"), false});
    const zelpo::StoredWeighing* weighing = reread.weighingAt(record);
    requireThat(weighing && weighing->struckOut == QLatin1StringView("fuzz"),
                "a weighing struck out reads back struck out", context);
    checkApplied(reread, records, context);
    return 0;
}
