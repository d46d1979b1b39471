#include "records/CorrectionsFile.h"

#include <algorithm>

#include <QFileInfo>

namespace zelpo {

namespace {

const QString dateFormat = QStringLiteral("dd/MM/yyyy");
constexpr QChar fieldSeparator = u'|';
constexpr qsizetype fieldCount = 5;
constexpr qsizetype recordNumberWidth = 4;

// Nothing in a reason may end the record early or split it over two lines when read back.
QString cleanReason(const QString& reason)
{
    QString clean;
    clean.reserve(reason.size());
    for (const QChar c : reason) {
        const QChar::Category category = c.category();
        if (c != u'"' && category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph) {
            clean.append(c);
        }
    }
    // The record's reading trims the line, so blanks at the ends would not come back.
    return clean.trimmed().left(maxCorrectionReasonLength).trimmed();
}

bool isKind(QStringView text)
{
    return text.size() == 1 && QStringView(u"ARN").contains(text.front());
}

} // namespace

QString correctionsFileName(const QString& patientFileName)
{
    return QFileInfo(patientFileName).completeBaseName() + QStringLiteral(".COR");
}

QString correctionRecord(const Correction& correction)
{
    return QStringList{
        QString(QChar::fromLatin1(static_cast<char>(correction.kind))),
        QStringLiteral("%1").arg(correction.record, recordNumberWidth, 10, QLatin1Char('0')),
        correction.recordText, correction.date.toString(dateFormat), cleanReason(correction.reason)}
        .join(fieldSeparator);
}

std::optional<Correction> parseCorrection(const QString& record)
{
    // The reason is the last field, and may hold the separator itself.
    QStringList fields;
    qsizetype from = 0;
    for (qsizetype field = 1; field < fieldCount; ++field) {
        const qsizetype to = record.indexOf(fieldSeparator, from);
        if (to < 0) {
            return std::nullopt;
        }
        fields.append(record.sliced(from, to - from));
        from = to + 1;
    }
    fields.append(record.sliced(from));
    const QString& number = fields[1];
    const QDate date = QDate::fromString(fields[3], dateFormat);
    if (!isKind(fields[0]) || number.size() < recordNumberWidth ||
        !std::all_of(number.cbegin(), number.cend(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; }) ||
        !date.isValid()) {
        return std::nullopt;
    }
    bool fits = false;
    const qsizetype place = number.toLongLong(&fits);
    const auto kind = static_cast<CorrectionKind>(fields[0].front().toLatin1());
    // The birth date is the patient file's first record, and only a birth date replaces it.
    const bool birthDate = kind == CorrectionKind::BirthDate;
    if (!fits || birthDate != (place == 0) ||
        (birthDate && !QDate::fromString(fields[2], dateFormat).isValid())) {
        return std::nullopt;
    }
    return Correction{kind, place, fields[2], date, fields[4]};
}

Result<QStringList> appendCorrection(const QString& patientFileName, const Correction& correction,
                                     const QDir& directory, const WhileWaiting& whileWaiting)
{
    const QString record = correctionRecord(correction);
    // A record edited into the patient file by hand may hold what no correction can copy back
    // (the separator, a line end): such a correction would be read back as another, or not at all.
    const std::optional<Correction> readBack = parseCorrection(record);
    if (!readBack || readBack->kind != correction.kind || readBack->record != correction.record ||
        readBack->recordText != correction.recordText || readBack->date != correction.date ||
        record.size() > maxCorrectionRecordLength) {
        return Failure{InvalidArgument,
                       QStringLiteral("No se puede anotar la corrección del registro %1 del "
                                      "archivo %2: el registro contiene caracteres que el archivo "
                                      "de correcciones no admite.")
                           .arg(correction.record)
                           .arg(patientFileName)};
    }
    const QString name = correctionsFileName(patientFileName);
    const QString path = directory.filePath(name);
    const Result<bool> exists = plainFileExists(path);
    if (!exists.ok()) {
        return exists.failure();
    }
    if (!exists.value()) {
        // Created already holding its first record, as a patient file is, so that no desk ever
        // sees it empty.
        const MaybeFailure created = createRecordFile(path, record);
        if (!created) {
            return QStringList{record};
        }
        // Another desk may have created it since we looked: ours joins theirs.
        if (created->code != FileAlreadyExists) {
            return *created;
        }
    }
    QStringList records;
    const AppendPlan plan = [&](const QStringList& stored) -> Result<QStringList> {
        records = stored + QStringList{record};
        return QStringList{record};
    };
    if (const MaybeFailure failure =
            appendRecords(path, plan, whileWaiting, maxCorrectionRecordLength)) {
        return *failure;
    }
    return records;
}

RecordReading readCorrections(const QString& patientFileName, const QDir& directory,
                              const WhileWaiting& whileWaiting)
{
    RecordReading reading = readRecords(directory.filePath(correctionsFileName(patientFileName)),
                                        whileWaiting, FileLock::Shared, maxCorrectionRecordLength);
    // A child never corrected has no corrections file.
    if (reading.failure && reading.failure->code == FileNotFound) {
        reading.failure.reset();
    }
    return reading;
}

} // namespace zelpo
