#include "records/PatientFile.h"

#include "app/Conversions.h"
#include "records/FormatoCampo.h"

#include <QFileInfo>

namespace zelpo {

namespace {

const QString dateMask = QStringLiteral("dd/mm/yyyy");
const QString historyNumberMask = QStringLiteral("0000000");
const QString weightMask = QStringLiteral("0000000000");
constexpr qsizetype weighingFieldLength = 10;

Result<QString> weighingRecord(const QString& weightText, QDate today)
{
    const Result<QString> date = FormatoCampo(today, dateMask);
    if (!date.ok()) {
        return date;
    }
    const Result<QString> grams = FormatoCampo(numericValue(weightText), weightMask);
    if (!grams.ok()) {
        return grams;
    }
    return date.value() + grams.value();
}

} // namespace

Result<QString> NombreArchivo(const QString& historyText, bool varonSelected)
{
    const Result<QString> number = FormatoCampo(numericValue(historyText), historyNumberMask);
    if (!number.ok()) {
        return number;
    }
    const QString sexLetter = varonSelected ? QStringLiteral("V") : QStringLiteral("M");
    return (number.value() + sexLetter + QStringLiteral(".CRV")).toUpper();
}

MaybeFailure GuardarMedida(bool varonSelected, const QString& historyText,
                           const QString& birthDateText, const QString& weightText, QDate today,
                           const QDir& directory)
{
    const Result<QString> fileName = NombreArchivo(historyText, varonSelected);
    if (!fileName.ok()) {
        return fileName.failure();
    }
    // Both records are formed before anything touches the disk, so that a value that does not
    // fit leaves no half-made file behind.
    const Result<QString> weighing = weighingRecord(weightText, today);
    if (!weighing.ok()) {
        return weighing.failure();
    }
    const QString path = directory.filePath(fileName.value());
    // A file emptied by hand or by a broken disk has lost its birth date too; it gets it back
    // before the weighing, so that the weighing is never read as the birth date.
    const bool exists = isPlainFile(path);
    if (!exists || QFileInfo(path).size() == 0) {
        const Result<QString> birthDate =
            FormatoCampo(dateValue(birthDateText).value_or(QDate()), dateMask);
        if (!birthDate.ok()) {
            return birthDate.failure();
        }
        const MaybeFailure written = exists ? appendRecord(path, birthDate.value())
                                            : createRecordFile(path, birthDate.value());
        // Another copy of the program may have created the file since we looked: its birth
        // date stands, and our weighing joins it.
        if (written && written->code != FileAlreadyExists) {
            return written;
        }
    }
    return appendRecord(path, weighing.value());
}

bool patientFileExists(const QString& fileName, const QDir& directory)
{
    return isPlainFile(directory.filePath(fileName));
}

RecordReading readPatientRecords(const QString& fileName, const QDir& directory)
{
    return readRecords(directory.filePath(fileName));
}

WeighingRecord splitWeighingRecord(const QString& record)
{
    return {record.left(weighingFieldLength), numericValue(record.right(weighingFieldLength))};
}

} // namespace zelpo
