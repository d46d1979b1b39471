#include "records/CorrectionsFile.h"

#include "core/Conversions.h"
#include "core/GestationalAge.h"

#include <algorithm>

#include <QFileInfo>

namespace zelpo {

namespace {

const QString dateFormat = QStringLiteral("dd/MM/yyyy");
constexpr QChar fieldSeparator = u'|';
constexpr qsizetype fieldCount = 5;
constexpr qsizetype recordNumberWidth = 4;

// Nothing in a reason may end the record early or split it over two lines when read back.
bool keptInAReason(uint c)
{
    const QChar::Category category = QChar::category(c);
    return c != '"' && category != QChar::Other_Control && category != QChar::Separator_Line &&
           category != QChar::Separator_Paragraph;
}

// The embeddings, overrides and isolates of bidirectional text: a reason holding them would be
// printed with its letters in another order than it was typed.
bool changesTextDirection(uint c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// A reason is read as it shows: zero-width spaces, joiners and combining marks alone show nothing.
bool showsSomething(const QList<uint>& reason)
{
    return std::any_of(reason.cbegin(), reason.cend(),
                       [](uint c) { return QChar::isLetterOrNumber(c); });
}

// The text without halves of characters: where a box cut a character in two, the half left
// could only be written as a replacement mark.
QString withoutHalfCharacters(const QString& text)
{
    QString whole;
    whole.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            whole.append(text[at]).append(text[at + 1]);
            ++at;
        } else if (!text[at].isSurrogate()) {
            whole.append(text[at]);
        }
    }
    return whole;
}

// The first `count` characters of the list as text.
QString textOf(const QList<uint>& characters, qsizetype count)
{
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             std::min(count, characters.size()));
}

bool isKind(QStringView text)
{
    return text.size() == 1 && QStringView(u"ARNG").contains(text.front());
}

Failure notACorrectionsFile(const QString& patientFileName, const QString& why)
{
    return {TypeMismatch,
            QStringLiteral("El archivo %1 no es un archivo de correcciones: %2. No se lee ni se "
                           "escribe; ninguna de sus líneas se aplica al archivo %3.")
                .arg(correctionsFileName(patientFileName), why, patientFileName)};
}

// The first record of a patient file is its birth date; a corrections file never starts so.
MaybeFailure startsAsAPatientFile(const QString& patientFileName, const QStringList& records)
{
    if (records.isEmpty() || !dateValue(records.first())) {
        return std::nullopt;
    }
    return notACorrectionsFile(patientFileName,
                               QStringLiteral("comienza con una fecha de nacimiento, como un "
                                              "archivo de paciente"));
}

RecordFileRules correctionsRules(const QString& patientFileName, const QDir& directory,
                                 const WhileWaiting& whileWaiting,
                                 std::chrono::milliseconds wait = otherDeskWait)
{
    const QString patientFile = directory.filePath(patientFileName);
    // Corrections are only ever written beside the file they correct.
    const auto besideThePatientFile = [patientFileName, patientFile]() -> MaybeFailure {
        if (QFileInfo::exists(patientFile)) {
            return std::nullopt;
        }
        return Failure{FileNotFound,
                       QStringLiteral("No se encontró el archivo %1: no se anota ninguna "
                                      "corrección sin su archivo de paciente.")
                           .arg(patientFileName)};
    };
    // A corrections file under a second name would apply to whichever file the other name is.
    return {.kind = &correctionsFileKind,
            .neverTheSameAs = patientFile,
            .beforeCreating = besideThePatientFile,
            .whileWaiting = whileWaiting,
            .waitForOtherDesk = wait,
            .readWithOtherNames = false};
}

} // namespace

QString faultText(CorrectionFault fault)
{
    switch (fault) {
    case CorrectionFault::NotACorrection:
        return QStringLiteral("no es una corrección");
    case CorrectionFault::NoMatch:
        return QStringLiteral("no coincide con el archivo de paciente");
    case CorrectionFault::ReasonMissing:
        return QStringLiteral("falta el motivo");
    case CorrectionFault::ReasonUnkept:
        return QStringLiteral("el motivo tiene más de %1 caracteres, o comillas, tabulaciones o "
                              "saltos de línea")
            .arg(maxCorrectionReasonLength);
    case CorrectionFault::ReasonReversed:
        return QStringLiteral("el motivo tiene caracteres de control de la dirección del texto, "
                              "que lo mostrarían en otro orden");
    case CorrectionFault::BirthDateAfterDay:
        return QStringLiteral("la fecha de nacimiento corregida es posterior al día de la "
                              "corrección");
    case CorrectionFault::BirthDateAfterWeighing:
        return QStringLiteral("la fecha de nacimiento corregida es posterior a la primera medida "
                              "almacenada");
    case CorrectionFault::NoGestationalAge:
        return QStringLiteral("la edad gestacional no es de 22+0 a 44+6 semanas");
    }
    return {};
}

QString correctionsFileName(const QString& patientFileName)
{
    return QFileInfo(patientFileName).completeBaseName() + QStringLiteral(".COR");
}

QString keptReason(const QString& typed)
{
    QList<uint> kept = withoutHalfCharacters(typed).toUcs4();
    kept.removeIf([](uint c) { return !keptInAReason(c); });
    // The record's reading trims the line, so blanks at the ends would not come back. The cut
    // counts characters, an emoji as one, and never falls inside one.
    kept = textOf(kept, kept.size()).trimmed().toUcs4();
    return textOf(kept, maxCorrectionReasonLength).trimmed();
}

QString correctionRecord(const Correction& correction)
{
    return QStringList{
        QString(QChar::fromLatin1(static_cast<char>(correction.kind))),
        QStringLiteral("%1").arg(correction.record, recordNumberWidth, 10, QLatin1Char('0')),
        correction.recordText, correction.date.toString(dateFormat), keptReason(correction.reason)}
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
    // The birth date is the patient file's first record, only a birth date replaces it, and the
    // gestational age at birth goes with it.
    const bool birthDate = kind == CorrectionKind::BirthDate;
    const bool namesBirth = birthDate || kind == CorrectionKind::GestationalAge;
    if (!fits || namesBirth != (place == 0) ||
        (birthDate && !QDate::fromString(fields[2], dateFormat).isValid())) {
        return std::nullopt;
    }
    return Correction{kind, place, fields[2], date, fields[4]};
}

std::optional<CorrectionFault> reasonFault(const Correction& correction)
{
    const QString& reason = correction.reason;
    if (correction.kind == CorrectionKind::GestationalAge) {
        return GestationalAge::fromText(reason) ? std::nullopt
                                                : std::optional(CorrectionFault::NoGestationalAge);
    }
    const QList<uint> characters = reason.toUcs4();
    if (characters.size() > maxCorrectionReasonLength ||
        !std::all_of(characters.cbegin(), characters.cend(), keptInAReason)) {
        return CorrectionFault::ReasonUnkept;
    }
    if (std::any_of(characters.cbegin(), characters.cend(), changesTextDirection)) {
        return CorrectionFault::ReasonReversed;
    }
    // A weighing let stand again needs no reason: its strike-out keeps one.
    if (correction.kind != CorrectionKind::Restored && !showsSomething(characters)) {
        return CorrectionFault::ReasonMissing;
    }
    return std::nullopt;
}

Result<QStringList> appendCorrection(const QString& patientFileName, const Correction& correction,
                                     const QDir& directory, const WhileWaiting& whileWaiting)
{
    const QString record = correctionRecord(correction);
    const QString refused = QStringLiteral("No se puede anotar la corrección del registro %1 del "
                                           "archivo %2: %3.")
                                .arg(correction.record)
                                .arg(patientFileName);
    // A record edited into the patient file by hand may hold what no correction can copy back
    // (the separator, a line end): such a correction would be read back as another, or not at all.
    const std::optional<Correction> readBack = parseCorrection(record);
    if (!readBack || readBack->kind != correction.kind || readBack->record != correction.record ||
        readBack->recordText != correction.recordText || readBack->date != correction.date ||
        record.size() > maxCorrectionRecordLength) {
        return Failure{InvalidArgument,
                       refused.arg(QStringLiteral("el registro contiene caracteres que el archivo "
                                                  "de correcciones no admite"))};
    }
    // What is left of the reason once the record has dropped what it cannot hold.
    if (const std::optional<CorrectionFault> fault = reasonFault(*readBack)) {
        return Failure{InvalidArgument, refused.arg(faultText(*fault))};
    }
    QStringList records;
    const AppendPlan plan = [&](const QStringList& stored) -> Result<QStringList> {
        if (const MaybeFailure notCorrections = startsAsAPatientFile(patientFileName, stored)) {
            return *notCorrections;
        }
        records = stored + QStringList{record};
        return QStringList{record};
    };
    if (const MaybeFailure failure =
            createOrAppendRecords(directory.filePath(correctionsFileName(patientFileName)), plan,
                                  correctionsRules(patientFileName, directory, whileWaiting))) {
        return *failure;
    }
    return records;
}

RecordReading readCorrections(const QString& patientFileName, const QDir& directory,
                              const WhileWaiting& whileWaiting, std::chrono::milliseconds wait)
{
    RecordReading reading =
        readRecords(directory.filePath(correctionsFileName(patientFileName)),
                    correctionsRules(patientFileName, directory, whileWaiting, wait));
    // A child never corrected has no corrections file.
    if (reading.failure && reading.failure->code == FileNotFound) {
        reading.failure.reset();
    }
    if (const MaybeFailure notCorrections =
            startsAsAPatientFile(patientFileName, reading.records)) {
        return {{}, {}, notCorrections};
    }
    return reading;
}

MaybeFailure strayCorrections(const QString& patientFileName, const QDir& directory)
{
    const QString name = correctionsFileName(patientFileName);
    const Result<bool> exists = plainFileExists(directory.filePath(name), correctionsFileKind);
    if (!exists.ok() || !exists.value()) {
        return std::nullopt;
    }
    return Failure{FileAlreadyExists,
                   QStringLiteral("El archivo de correcciones %1 está en la carpeta sin el archivo "
                                  "de paciente %2: sus correcciones se escribieron para otro "
                                  "archivo y no se aplican, y no se crea %2 a su lado. El "
                                  "consultorio debe retirarlo de la carpeta del programa.")
                       .arg(name, patientFileName)};
}

} // namespace zelpo
