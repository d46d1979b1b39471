#include "records/PatientFile.h"

#include "core/Conversions.h"
#include "core/FormatoCampo.h"
#include "records/CorrectionsFile.h"

namespace zelpo {

namespace {

const QString dateMask = QStringLiteral("dd/mm/yyyy");
const QString historyNumberMask = QStringLiteral("0000000");
const QString weightMask = QStringLiteral("0000000000");
constexpr qsizetype weighingFieldLength = 10;

Result<QString> weighingRecord(double grams, QDate today)
{
    const Result<QString> date = FormatoCampo(today, dateMask);
    if (!date.ok()) {
        return date;
    }
    const Result<QString> weight = FormatoCampo(grams, weightMask);
    if (!weight.ok()) {
        return weight;
    }
    return date.value() + weight.value();
}

} // namespace

bool namesAChild(QStringView historyText)
{
    return isWholeNumber(historyText) && numericValue(historyText) != 0;
}

Result<QString> NombreArchivo(const QString& historyText, bool varonSelected)
{
    const Result<QString> number = FormatoCampo(numericValue(historyText), historyNumberMask);
    if (!number.ok()) {
        return number;
    }
    const QString sexLetter = varonSelected ? QStringLiteral("V") : QStringLiteral("M");
    return (number.value() + sexLetter + QStringLiteral(".CRV")).toUpper();
}

Result<FiledWeighing> GuardarMedida(const QString& fileName, QDate birthDate, double grams,
                                    QDate today, const QDir& directory,
                                    const WhileWaiting& whileWaiting)
{
    // Both records are formed before anything touches the disk, so that a value that does not
    // fit leaves no half-made file behind.
    const Result<QString> weighing = weighingRecord(grams, today);
    if (!weighing.ok()) {
        return weighing.failure();
    }
    const Result<QString> birthDateRecord = FormatoCampo(birthDate, dateMask);
    // The file comes into being already holding its birth date and the weighing, or takes the
    // weighing under its lock, as it does at every other desk: the read-back and the append are
    // the only steps that other desks must not interleave with.
    FiledWeighing filed;
    const AppendPlan plan = [&](const QStringList& stored) -> Result<QStringList> {
        QStringList appended{weighing.value()};
        // A new file starts with the birth date; a file emptied by hand or by a broken disk has
        // lost it too, and gets it back before the weighing, so that the weighing is never read
        // as the birth date.
        if (stored.isEmpty()) {
            if (!birthDateRecord.ok()) {
                return birthDateRecord.failure();
            }
            appended.prepend(birthDateRecord.value());
        } else if (!dateValue(stored.first())) {
            // The weighing would be filed where no age can ever be worked out for it.
            return Failure{TypeMismatch,
                           QStringLiteral("El archivo %1 no comienza con una fecha de "
                                          "nacimiento: no es una historia clínica.")
                               .arg(fileName)};
        }
        filed = {stored + appended, stored.size() + appended.size() - 1};
        return appended;
    };
    // Corrections left under this name were written for another child's file.
    const auto noStrayCorrections = [&] { return strayCorrections(fileName, directory); };
    if (const MaybeFailure failure = createOrAppendRecords(directory.filePath(fileName), plan,
                                                           {.kind = &patientFileKind,
                                                            .beforeCreating = noStrayCorrections,
                                                            .whileWaiting = whileWaiting})) {
        return *failure;
    }
    return filed;
}

Result<bool> patientFileExists(const QString& fileName, const QDir& directory)
{
    return plainFileExists(directory.filePath(fileName));
}

RecordReading readPatientRecords(const QString& fileName, const QDir& directory,
                                 const WhileWaiting& whileWaiting, std::chrono::milliseconds wait)
{
    return readRecords(
        directory.filePath(fileName),
        {.kind = &patientFileKind, .whileWaiting = whileWaiting, .waitForOtherDesk = wait});
}

WeighingRecord splitWeighingRecord(const QString& record)
{
    return {record.left(weighingFieldLength), numericValue(record.right(weighingFieldLength))};
}

QList<PlacedWeighing> placeWeighings(const QStringList& weighingRecords)
{
    QList<PlacedWeighing> placed;
    placed.reserve(weighingRecords.size());
    std::optional<QDate> previousDate;
    for (const QString& record : weighingRecords) {
        const WeighingRecord weighing = splitWeighingRecord(record);
        const std::optional<QDate> ownDate = dateValue(weighing.dateText);
        const std::optional<QDate> date = ownDate ? ownDate : previousDate;
        placed.append({date, !ownDate && date, weighing.grams});
        previousDate = date;
    }
    return placed;
}

} // namespace zelpo
