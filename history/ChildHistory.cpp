#include "history/ChildHistory.h"

#include "core/Conversions.h"
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

HistoryLookup ChildHistory::load(const ChildKey& key, const WhileWaiting& whileWaiting)
{
    m_key = key;
    const HistoryLookup lookup = [&]() -> HistoryLookup {
        const Result<QString> name = m_key.fileName();
        if (!name.ok()) {
            take({});
            return {PatientFileFound::Unnamed, name.failure()};
        }
        const Result<bool> exists = patientFileExists(name.value(), m_patientFolder);
        // Whatever stands under the name instead of a patient file is no history of this child.
        if (!exists.ok() || !exists.value()) {
            take({});
            return {PatientFileFound::None,
                    exists.ok() ? std::nullopt : std::optional(exists.failure())};
        }
        RecordReading reading = readPatientRecords(name.value(), m_patientFolder, whileWaiting);
        take(std::move(reading.records));
        return {PatientFileFound::Found, reading.failure};
    }();
    emit changed();
    return lookup;
}

void ChildHistory::openUnread(const ChildKey& key)
{
    m_key = key;
    take({});
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
        take({});
        emit changed();
        return std::nullopt;
    }
    RecordReading reading = readPatientRecords(name, m_patientFolder, whileWaiting);
    if (reading.failure && reading.failure->inUseAtAnotherDesk) {
        return reading.failure;
    }
    take(std::move(reading.records));
    emit changed();
    // A damaged record ends the reading with the records before it kept, as the chart shows
    // them; a file that gives none is no history to show.
    return m_records.isEmpty() ? reading.failure : std::nullopt;
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
    take(filed.value().records);
    emit changed();
    return filed.value().record;
}

const StoredWeighing* ChildHistory::weighingAt(qsizetype record) const
{
    const auto found = std::find_if(
        m_stored.weighings.cbegin(), m_stored.weighings.cend(),
        [record](const StoredWeighing& weighing) { return weighing.record == record; });
    return found == m_stored.weighings.cend() ? nullptr : &*found;
}

std::optional<EarlierWeighing> ChildHistory::lastStored() const
{
    if (m_stored.weighings.isEmpty()) {
        return std::nullopt;
    }
    return earlierOf(m_stored.weighings.last());
}

std::optional<EarlierWeighing> ChildHistory::storedBefore(qsizetype record) const
{
    std::optional<EarlierWeighing> before;
    for (const StoredWeighing& weighing : m_stored.weighings) {
        if (weighing.record >= record) {
            break;
        }
        before = earlierOf(weighing);
    }
    return before;
}

void ChildHistory::take(QStringList records)
{
    m_records = std::move(records);
    m_stored = storedHistory(m_records, m_key.chart());
}

} // namespace zelpo
