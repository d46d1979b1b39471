#include "history/ChildHistory.h"

#include "core/ChartScale.h"
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
      m_key(std::move(opened)), m_stored{m_key.chart(), std::nullopt, {}, std::nullopt}
{}

QString ChildHistory::fileName() const
{
    const Result<QString> name = m_key.fileName();
    return name.ok() ? name.value() : QString();
}

ChildHistory::FilesRead ChildHistory::readFiles(const QString& name,
                                                const WhileWaiting& whileWaiting) const
{
    FilesRead read{readPatientRecords(name, m_patientFolder, whileWaiting, m_otherDeskWait), {}};
    // Corrections only ever name records of a patient file that could be read.
    if (!read.records.records.isEmpty()) {
        read.corrections = readCorrections(name, m_patientFolder, whileWaiting, m_otherDeskWait);
    }
    return read;
}

template <typename Change>
void ChildHistory::change(Change makeIt)
{
    emit aboutToChange();
    makeIt();
    emit changed();
}

HistoryLookup ChildHistory::load(const ChildKey& key, const WhileWaiting& whileWaiting)
{
    // The files are read before anything changes: whoever shows the history keeps showing the
    // last child while another desk is waited for.
    const Result<QString> name = key.fileName();
    const Result<bool> exists =
        name.ok() ? patientFileExists(name.value(), m_patientFolder) : Result<bool>(false);
    const bool found = name.ok() && exists.ok() && exists.value();
    FilesRead read = found ? readFiles(name.value(), whileWaiting) : FilesRead{};
    // A history is shown with all of its corrections or not at all, as when the patient file
    // itself is held at another desk: never half-corrected.
    const bool shown = found && !read.corrections.failure;
    change([&] {
        m_key = key;
        m_plotted.clear();
        if (shown) {
            take(std::move(read.records.records), std::move(read.corrections.records));
        } else {
            take({}, {});
        }
        m_recordsWhenOpened = m_records.size();
    });
    if (!name.ok()) {
        return {PatientFileFound::Unnamed, name.failure(), std::nullopt};
    }
    // Whatever stands under the name instead of a patient file is no history of this child, and
    // corrections found without their patient file belong to no child looked up here.
    if (!found) {
        return {PatientFileFound::None,
                exists.ok() ? strayCorrections(name.value(), m_patientFolder)
                            : std::optional(exists.failure()),
                std::nullopt};
    }
    if (!shown) {
        return {PatientFileFound::Found, read.corrections.failure, std::nullopt};
    }
    return {PatientFileFound::Found, read.records.failure,
            unappliedCorrectionsFailure(m_unapplied, read.corrections.lines, name.value())};
}

void ChildHistory::forgetNumber()
{
    change([this] { m_key.historyText.clear(); });
}

MaybeFailure ChildHistory::refresh(const WhileWaiting& whileWaiting)
{
    // Nothing is filed under a number that names no child, so there is nothing to read again.
    const QString name = fileName();
    if (!m_key.namesAChild() || name.isEmpty()) {
        return std::nullopt;
    }
    const Result<bool> exists = patientFileExists(name, m_patientFolder);
    if (!exists.ok() || !exists.value()) {
        change([this] { take({}, {}); });
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
    change([&] { take(std::move(read.records.records), std::move(read.corrections.records)); });
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
    // The weighing is questioned and shown against the history as corrected: while the
    // corrections cannot be read nothing is filed, since the history it joins could not be shown.
    const Result<bool> exists = patientFileExists(name.value(), m_patientFolder);
    RecordReading corrections;
    if (exists.ok() && exists.value()) {
        corrections = readCorrections(name.value(), m_patientFolder, whileWaiting);
        if (corrections.failure) {
            return *corrections.failure;
        }
    }
    Result<FiledWeighing> filed =
        GuardarMedida(name.value(), birthDate, grams, today, m_patientFolder, whileWaiting);
    if (!filed.ok()) {
        return filed.failure();
    }
    const qsizetype record = filed.value().record;
    change([&] {
        m_plotted.append({today, grams, birthDate, record});
        take(std::move(filed.value().records), std::move(corrections.records));
    });
    return record;
}

void ChildHistory::plotUnstored(QDate birthDate, double grams, QDate today)
{
    change([&] {
        m_plotted.append({today, grams, storedBirthDate().value_or(birthDate), std::nullopt});
    });
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

MaybeFailure ChildHistory::recordGestationalAge(const GestationalAge& gestation, QDate today,
                                                const WhileWaiting& whileWaiting)
{
    return appendCorrection(
        {CorrectionKind::GestationalAge, 0, m_records.value(0), today, gestation.text()},
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
    change([&] { take(m_records, corrections.value()); });
    return std::nullopt;
}

std::optional<QDate> ChildHistory::birthDate() const
{
    if (m_plotted.isEmpty()) {
        return m_stored.birthDate;
    }
    return m_plotted.last().placedFrom;
}

std::optional<QDate> ChildHistory::storedBirthDate() const
{
    return m_key.namesAChild() ? m_stored.birthDate : std::nullopt;
}

std::optional<QString> ChildHistory::birthDateRefusal(QDate birthDate, QDate today) const
{
    return birthDateCorrectionRefusal(birthDate, today, m_records);
}

std::optional<QDate> ChildHistory::fileBirthDate() const
{
    return m_records.isEmpty() ? std::nullopt : dateValue(m_records.first());
}

std::optional<Failure> ChildHistory::birthDateNotRead() const
{
    if (m_records.isEmpty()) {
        return Failure{InputPastEndOfFile,
                       QStringLiteral("Se leyó más allá del final del archivo: el archivo %1 no "
                                      "contiene la fecha de nacimiento; no se muestra ninguna "
                                      "medida.")
                           .arg(fileName())};
    }
    if (!m_stored.birthDate) {
        return Failure{TypeMismatch,
                       QStringLiteral("No coinciden los tipos: el primer registro del archivo %1, "
                                      "\"%2\", no es una fecha de nacimiento; no se muestra "
                                      "ninguna medida.")
                           .arg(fileName(), m_records.first())};
    }
    return std::nullopt;
}

QList<Failure> ChildHistory::weighingsNotShown() const
{
    QList<Failure> notShown;
    const QString name = fileName();
    const auto offTheChart = [this](const StoredWeighing* weighing) {
        return weighing && !drawnOnChart(*weighing, m_stored.gestation);
    };
    int shown = 0;
    for (qsizetype record = 1; record < m_recordsWhenOpened; ++record) {
        const StoredWeighing* weighing = weighingAt(record);
        if (offTheChart(weighing)) {
            continue;
        }
        if (shown == markerPoolSize) {
            qsizetype rest = 0;
            for (qsizetype after = record; after < m_recordsWhenOpened; ++after) {
                rest += offTheChart(weighingAt(after)) ? 0 : 1;
            }
            const QString restText =
                rest == 1 ? QStringLiteral("la medida restante no se muestra")
                          : QStringLiteral("las %1 medidas restantes no se muestran").arg(rest);
            notShown.append({ControlArrayElementMissing,
                             QStringLiteral("El elemento de la matriz de controles no existe: el "
                                            "gráfico muestra solo las primeras %1 medidas del "
                                            "archivo %2; %3.")
                                 .arg(markerPoolSize)
                                 .arg(name, restText)});
            break;
        }
        // Told as the file's line number, the birth date being line 1.
        const qsizetype lineNumber = record + 1;
        if (!weighing) {
            notShown.append({TypeMismatch, QStringLiteral("No coinciden los tipos: el registro %1 "
                                                          "del archivo %2, \"%3\", no comienza "
                                                          "con una fecha; la medida no se muestra.")
                                               .arg(lineNumber)
                                               .arg(name, m_records[record])});
            continue;
        }
        if (weighing->dateBorrowed) {
            notShown.append(
                {TypeMismatch, QStringLiteral("No coinciden los tipos: el registro %1 del archivo "
                                              "%2, \"%3\", no comienza con una fecha; la medida se "
                                              "muestra con la fecha de la medida anterior, %4.")
                                   .arg(lineNumber)
                                   .arg(name, m_records[record], weighing->date)});
        }
        ++shown;
    }
    return notShown;
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
    // Every age counts from the birth date in force, wherever it was corrected: the weighings of
    // this visit are re-dated with the stored ones.
    if (const std::optional<QDate> inForce = storedBirthDate()) {
        for (PlottedWeighing& plotted : m_plotted) {
            plotted.placedFrom = *inForce;
        }
    }
}

} // namespace zelpo
