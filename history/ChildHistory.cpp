#include "history/ChildHistory.h"

#include "core/Conversions.h"
#include "records/CorrectionsFile.h"
#include "records/PatientFile.h"

#include <algorithm>

namespace zelpo {

namespace {

EarlierWeighing earlierOf(const StoredWeighing& weighing)
{
    return {dateValue(weighing.date).value_or(QDate()), weighing.grams};
}

} // namespace

ChildHistory::ChildHistory(const QDir& patientFolder, ChildKey opened, QObject* parent)
    : QObject(parent), m_patientFolder(patientFolder),
      m_key(std::move(opened)), m_stored{m_key.chart(), std::nullopt, {}}
{}

QString ChildHistory::fileName() const
{
    const Result<QString> name = m_key.fileName();
    return name.ok() ? name.value() : QString();
}

ChildHistory::FilesRead ChildHistory::readFiles(const QString& name,
                                                const WhileWaiting& whileWaiting) const
{
    FilesRead read{readPatientRecords(name, m_patientFolder, whileWaiting), {}};
    // Corrections only ever name records of a patient file that could be read.
    if (!read.records.records.isEmpty()) {
        read.corrections = readCorrections(name, m_patientFolder, whileWaiting);
    }
    return read;
}

HistoryLookup ChildHistory::load(const ChildKey& key, const WhileWaiting& whileWaiting)
{
    m_key = key;
    const HistoryLookup lookup = [&]() -> HistoryLookup {
        const Result<QString> name = m_key.fileName();
        if (!name.ok()) {
            take({}, {});
            return {PatientFileFound::Unnamed, name.failure(), std::nullopt};
        }
        const Result<bool> exists = patientFileExists(name.value(), m_patientFolder);
        // Whatever stands under the name instead of a patient file is no history of this child.
        if (!exists.ok() || !exists.value()) {
            take({}, {});
            // Corrections found without their patient file belong to no child looked up here.
            return {PatientFileFound::None,
                    exists.ok() ? strayCorrections(name.value(), m_patientFolder)
                                : std::optional(exists.failure()),
                    std::nullopt};
        }
        FilesRead read = readFiles(name.value(), whileWaiting);
        // A history is shown with all of its corrections or not at all, as when the patient
        // file itself is held at another desk: never half-corrected.
        if (read.corrections.failure) {
            take({}, {});
            return {PatientFileFound::Found, read.corrections.failure, std::nullopt};
        }
        take(std::move(read.records.records), std::move(read.corrections.records));
        return {PatientFileFound::Found, read.records.failure,
                unappliedCorrectionsFailure(m_unapplied, read.corrections.lines, name.value())};
    }();
    emit changed();
    return lookup;
}

void ChildHistory::openUnread(const ChildKey& key)
{
    m_key = key;
    take({}, {});
    emit changed();
}

MaybeFailure ChildHistory::refresh(const WhileWaiting& whileWaiting)
{
    const QString name = fileName();
    if (name.isEmpty()) {
        return std::nullopt;
    }
    const Result<bool> exists = patientFileExists(name, m_patientFolder);
    if (!exists.ok() || !exists.value()) {
        take({}, {});
        emit changed();
        return std::nullopt;
    }
    FilesRead read = readFiles(name, whileWaiting);
    if (read.records.failure && read.records.failure->inUseAtAnotherDesk) {
        return read.records.failure;
    }
    // Never half-corrected: the history stays as it was.
    if (read.corrections.failure) {
        return read.corrections.failure;
    }
    take(std::move(read.records.records), std::move(read.corrections.records));
    emit changed();
    // A damaged record ends the reading with the records before it kept, as the chart shows
    // them; a file that gives none is no history to show.
    return m_records.isEmpty() ? read.records.failure : std::nullopt;
}

Result<qsizetype> ChildHistory::store(QDate birthDate, double grams, QDate today,
                                      const WhileWaiting& whileWaiting)
{
    const Result<QString> name = m_key.fileName();
    if (!name.ok()) {
        return name.failure();
    }
    Result<FiledWeighing> filed =
        GuardarMedida(name.value(), birthDate, grams, today, m_patientFolder, whileWaiting);
    if (!filed.ok()) {
        return filed.failure();
    }
    take(filed.value().records, m_corrections);
    emit changed();
    return filed.value().record;
}

MaybeFailure ChildHistory::strikeOut(qsizetype record, const QString& reason, QDate today,
                                     const WhileWaiting& whileWaiting)
{
    return appendCorrection(
        {CorrectionKind::StruckOut, record, m_records.value(record), today, reason}, whileWaiting);
}

MaybeFailure ChildHistory::restore(qsizetype record, QDate today, const WhileWaiting& whileWaiting)
{
    return appendCorrection(
        {CorrectionKind::Restored, record, m_records.value(record), today, QString()},
        whileWaiting);
}

MaybeFailure ChildHistory::correctBirthDate(QDate birthDate, const QString& reason, QDate today,
                                            const WhileWaiting& whileWaiting)
{
    return appendCorrection({CorrectionKind::BirthDate, 0, dateText(birthDate), today, reason},
                            whileWaiting);
}

MaybeFailure ChildHistory::appendCorrection(const Correction& correction,
                                            const WhileWaiting& whileWaiting)
{
    const QString name = fileName();
    if (name.isEmpty() || m_records.isEmpty()) {
        return Failure{FileNotFound,
                       QStringLiteral("No se encontró el archivo: este paciente no tiene "
                                      "medidas almacenadas.")};
    }
    const Result<QStringList> corrections =
        zelpo::appendCorrection(name, correction, m_patientFolder, whileWaiting);
    if (!corrections.ok()) {
        return corrections.failure();
    }
    take(m_records, corrections.value());
    emit changed();
    return std::nullopt;
}

std::optional<QDate> ChildHistory::fileBirthDate() const
{
    return m_records.isEmpty() ? std::nullopt : dateValue(m_records.first());
}

const StoredWeighing* ChildHistory::weighingAt(qsizetype record) const
{
    // The weighings stand in file order, so a history of tens of thousands is searched halving;
    // the loader asks for every record it places.
    const auto found = std::lower_bound(
        m_stored.weighings.cbegin(), m_stored.weighings.cend(), record,
        [](const StoredWeighing& weighing, qsizetype wanted) { return weighing.record < wanted; });
    return found == m_stored.weighings.cend() || found->record != record ? nullptr : &*found;
}

std::optional<EarlierWeighing> ChildHistory::lastStored() const
{
    return storedBefore(m_records.size());
}

std::optional<EarlierWeighing> ChildHistory::storedBefore(qsizetype record) const
{
    std::optional<EarlierWeighing> before;
    for (const StoredWeighing& weighing : m_stored.weighings) {
        if (weighing.record >= record) {
            break;
        }
        if (weighing.struckOut.isEmpty()) {
            before = earlierOf(weighing);
        }
    }
    return before;
}

void ChildHistory::take(QStringList records, QStringList corrections)
{
    m_records = std::move(records);
    m_corrections = std::move(corrections);
    const AppliedCorrections applied = applyCorrections(m_records, m_corrections);
    m_unapplied = applied.unapplied;
    m_birthDateCorrection.reset();
    if (applied.corrections.birthDate) {
        m_birthDateCorrection =
            BirthDateCorrection{*applied.corrections.birthDate, applied.birthDateCorrectedOn};
    }
    m_stored = storedHistory(m_records, m_key.chart(), applied.corrections);
}

} // namespace zelpo
