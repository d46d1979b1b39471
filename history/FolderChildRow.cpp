#include "history/FolderChildRow.h"

#include "core/Conversions.h"
#include "history/ChildHistory.h"
#include "records/CorrectionsFile.h"

#include <limits>

#include <QRegularExpression>

namespace zelpo {

namespace {

constexpr double noNumber = std::numeric_limits<double>::lowest();

QVariant numberKey(std::optional<double> value)
{
    return value.value_or(noNumber);
}

// Bands in the order they climb the chart: "< P3", "P3", "P3–P10", …, "P97", "> P97"; before the
// due date below them all.
double bandRank(const QString& band)
{
    static const QRegularExpression percentiles(QStringLiteral("P(\\d+)(?:–P(\\d+))?"));
    if (band == beforeTermBand()) {
        return -1;
    }
    const QRegularExpressionMatch match = percentiles.match(band);
    if (!match.hasMatch()) {
        return noNumber;
    }
    const double lower = match.capturedView(1).toInt();
    if (band.startsWith(u'<')) {
        return lower - 0.5;
    }
    if (band.startsWith(u'>')) {
        return lower + 0.5;
    }
    return lower + match.capturedView(2).toInt() / 1000.0;
}

const StoredWeighing* latestStanding(const StoredHistory& stored)
{
    for (auto weighing = stored.weighings.crbegin(); weighing != stored.weighings.crend();
         ++weighing) {
        if (weighing->struckOut.isEmpty()) {
            return &*weighing;
        }
    }
    return nullptr;
}

} // namespace

QString folderColumnTitle(FolderColumn column)
{
    switch (column) {
    case FolderColumn::History:
        return QStringLiteral("Historia");
    case FolderColumn::Sex:
        return QStringLiteral("Sexo");
    case FolderColumn::Birth:
        return QStringLiteral("Nacimiento");
    case FolderColumn::Age:
        return QStringLiteral("Edad");
    case FolderColumn::Weighed:
        return QStringLiteral("Última pesada");
    case FolderColumn::Grams:
        return QStringLiteral("Peso (g)");
    case FolderColumn::Band:
        return QStringLiteral("Percentil");
    case FolderColumn::Gain:
        return QStringLiteral("Ganancia (g/día)");
    case FolderColumn::Review:
        return QStringLiteral("Para revisar");
    case FolderColumn::DaysUnweighed:
        return QStringLiteral("Días sin pesar");
    case FolderColumn::Note:
        return QStringLiteral("Observaciones");
    }
    return QString();
}

QString yearsAndMonths(int months)
{
    const int years = months / 12;
    const int rest = months % 12;
    const QString yearsText =
        years == 1 ? QStringLiteral("1 año") : QStringLiteral("%1 años").arg(years);
    const QString monthsText =
        rest == 1 ? QStringLiteral("1 mes") : QStringLiteral("%1 meses").arg(rest);
    if (years == 0) {
        return monthsText;
    }
    return rest == 0 ? yearsText : yearsText + u' ' + monthsText;
}

QString folderCell(const FolderChildRow& row, FolderColumn column, const QString& none)
{
    const auto orNone = [&none](const QString& text) { return text.isEmpty() ? none : text; };
    switch (column) {
    case FolderColumn::History:
        return row.historyNumber;
    case FolderColumn::Sex:
        return row.child ? sexName(row.child->chart()) : QString();
    case FolderColumn::Birth:
        return row.birthDate ? dateText(*row.birthDate) : none;
    case FolderColumn::Age: {
        if (!row.ageDays) {
            return none;
        }
        const QString age = *row.ageDays < 0 ? (row.ageCorrected ? beforeTermBand() : none)
                                             : yearsAndMonths(wholeMonths(*row.ageDays));
        return row.ageCorrected ? age + QStringLiteral(" (corregida)") : age;
    }
    case FolderColumn::Weighed:
        return row.weighed ? dateText(*row.weighed) : none;
    case FolderColumn::Grams:
        return row.grams ? QString::number(*row.grams, 'f', 0) : none;
    case FolderColumn::Band:
        return row.weighed ? orNone(row.band) : none;
    case FolderColumn::Gain:
        return row.gramsPerDay ? gainText(row.gramsPerDay) : none;
    case FolderColumn::Review:
        return row.review;
    case FolderColumn::DaysUnweighed:
        return row.daysUnweighed ? QString::number(*row.daysUnweighed) : none;
    case FolderColumn::Note:
        return row.note;
    }
    return QString();
}

QVariant folderSortKey(const FolderChildRow& row, FolderColumn column)
{
    switch (column) {
    case FolderColumn::History:
        return numberKey(row.child ? std::optional(numericValue(row.child->historyText))
                                   : std::nullopt);
    case FolderColumn::Birth:
        return row.birthDate.value_or(QDate());
    case FolderColumn::Age:
        return numberKey(row.ageDays);
    case FolderColumn::Weighed:
        return row.weighed.value_or(QDate());
    case FolderColumn::Grams:
        return numberKey(row.grams);
    case FolderColumn::Band:
        return row.weighed ? bandRank(row.band) : noNumber;
    case FolderColumn::Gain:
        return numberKey(row.gramsPerDay);
    case FolderColumn::DaysUnweighed:
        return numberKey(row.daysUnweighed ? std::optional(double(*row.daysUnweighed))
                                           : std::nullopt);
    case FolderColumn::Sex:
    case FolderColumn::Review:
    case FolderColumn::Note:
        return folderCell(row, column, QString());
    }
    return {};
}

std::optional<ChildKey> childOfFile(const QString& fileName)
{
    // The number as a user types it: without the zeros the name adds, its sign kept.
    static const QRegularExpression patientName(QStringLiteral("^0*(-?\\d+)([VM])\\.(CRV|COR)$"));
    const QRegularExpressionMatch match = patientName.match(fileName);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const ChildKey child{match.captured(1), match.capturedView(2) == u'V'};
    // Only a name the program itself forms for that child: "04711M.CRV" is no child's.
    const Result<QString> patientFile = child.fileName();
    const bool ours = patientFile.ok() && (patientFile.value() == fileName ||
                                           correctionsFileName(patientFile.value()) == fileName);
    return ours ? std::optional(child) : std::nullopt;
}

FolderChildRow folderChildRow(const QString& fileName, const ChildHistory& history,
                              const HistoryLookup& lookup, QDate today)
{
    FolderChildRow row;
    row.fileName = fileName;
    row.historyNumber = fileName.left(7);
    row.child = history.key();
    const bool inUse = lookup.failure && lookup.failure->inUseAtAnotherDesk;
    QStringList notes;
    if (inUse) {
        row.inUseAtAnotherDesk = true;
        notes.append(QString::fromUtf8(inUseNote));
    } else if (lookup.failure) {
        notes.append(lookup.failure->description);
    } else if (lookup.file == PatientFileFound::None) {
        notes.append(QStringLiteral("No se encontró el archivo %1.").arg(fileName));
    }
    // A file that could not be read at all is told once, by its own failure.
    const StoredHistory& stored = history.stored();
    if (lookup.file == PatientFileFound::Found && (!lookup.failure || history.hasPatientFile())) {
        if (const std::optional<Failure> noBirthDate = history.birthDateNotRead()) {
            notes.append(noBirthDate->description);
        }
    }
    if (lookup.corrections) {
        notes.append(lookup.corrections->description);
    }
    row.note = notes.join(u' ');
    if (!stored.birthDate) {
        return row;
    }
    row.birthDate = stored.birthDate;
    const double days = daysBetween(*stored.birthDate, today);
    const std::optional<double> corrected = correctedAge(days, stored.gestation);
    row.ageDays = corrected.value_or(days);
    row.ageCorrected = corrected.has_value();
    if (const StoredWeighing* latest = latestStanding(stored)) {
        row.weighed = dateValue(latest->date);
        row.grams = latest->grams;
        row.band = latest->band;
        row.gramsPerDay = latest->gramsPerDay;
        row.review = latest->review;
        if (row.weighed) {
            row.daysUnweighed = row.weighed->daysTo(today);
        }
    }
    return row;
}

FolderChildRow unnamedFileRow(const QString& fileName)
{
    FolderChildRow row;
    row.fileName = fileName;
    row.note = QStringLiteral("El nombre del archivo %1 no es el de un archivo de paciente "
                              "(siete cifras, V o M y .CRV): no se lee.")
                   .arg(fileName);
    return row;
}

} // namespace zelpo
