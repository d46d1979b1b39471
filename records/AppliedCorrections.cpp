#include "records/AppliedCorrections.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "records/PatientFile.h"

#include <algorithm>
#include <utility>

namespace zelpo {

namespace {

// The day of the earliest weighing the patient file dates itself; every age counts to it or
// later.
std::optional<QDate> firstWeighingDay(const QStringList& patientRecords)
{
    std::optional<QDate> first;
    for (qsizetype record = 1; record < patientRecords.size(); ++record) {
        const std::optional<QDate> day =
            dateValue(splitWeighingRecord(patientRecords[record]).dateText);
        if (day && (!first || *day < *first)) {
            first = day;
        }
    }
    return first;
}

std::optional<CorrectionFault> birthDateFault(QDate birthDate, QDate day,
                                              const std::optional<QDate>& firstWeighing)
{
    if (birthDate > day) {
        return CorrectionFault::BirthDateAfterDay;
    }
    if (firstWeighing && birthDate > *firstWeighing) {
        return CorrectionFault::BirthDateAfterWeighing;
    }
    return std::nullopt;
}

// The first weighing's day is only looked for when a birth date was corrected: a history of tens
// of thousands of weighings is read without it.
class FirstWeighing
{
public:
    explicit FirstWeighing(const QStringList& patientRecords) : m_patientRecords(patientRecords) {}
    const std::optional<QDate>& day()
    {
        if (!m_found) {
            m_day = firstWeighingDay(m_patientRecords);
            m_found = true;
        }
        return m_day;
    }

private:
    const QStringList& m_patientRecords;
    std::optional<QDate> m_day;
    bool m_found = false;
};

std::optional<CorrectionFault> faultOf(const std::optional<Correction>& correction,
                                       const QStringList& patientRecords,
                                       FirstWeighing& firstWeighing)
{
    if (!correction) {
        return CorrectionFault::NotACorrection;
    }
    if (const std::optional<CorrectionFault> fault = reasonFault(*correction)) {
        return fault;
    }
    if (correction->kind == CorrectionKind::BirthDate) {
        // A file without a birth date of its own has no ages to correct.
        if (patientRecords.isEmpty() || !dateValue(patientRecords.first())) {
            return CorrectionFault::NoMatch;
        }
        return birthDateFault(*dateValue(correction->recordText), correction->date,
                              firstWeighing.day());
    }
    // The gestational age belongs to the birth the patient file records, as it stands there.
    if (correction->kind == CorrectionKind::GestationalAge) {
        return !patientRecords.isEmpty() && patientRecords.first() == correction->recordText
                   ? std::nullopt
                   : std::optional(CorrectionFault::NoMatch);
    }
    const bool namesAWeighing = correction->record >= 1 &&
                                correction->record < patientRecords.size() &&
                                patientRecords[correction->record] == correction->recordText;
    return namesAWeighing ? std::nullopt : std::optional(CorrectionFault::NoMatch);
}

// "2 y 5", "2, 3 y 5"; past ten numbers, the rest counted: "1, 2, …, 10 y 31 más".
QString listed(const QList<qsizetype>& numbers)
{
    constexpr qsizetype mostListed = 10;
    QStringList texts;
    for (qsizetype number : numbers.first(std::min(numbers.size(), mostListed))) {
        texts.append(QString::number(number));
    }
    if (numbers.size() > mostListed) {
        return texts.join(QStringLiteral(", ")) +
               QStringLiteral(" y %1 más").arg(numbers.size() - mostListed);
    }
    const QString last = texts.takeLast();
    return texts.isEmpty() ? last : texts.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}

} // namespace

AppliedCorrections applyCorrections(const QStringList& patientRecords,
                                    const QStringList& correctionRecords)
{
    AppliedCorrections applied;
    FirstWeighing firstWeighing(patientRecords);
    for (qsizetype index = 0; index < correctionRecords.size(); ++index) {
        const std::optional<Correction> correction = parseCorrection(correctionRecords[index]);
        if (const std::optional<CorrectionFault> fault =
                faultOf(correction, patientRecords, firstWeighing)) {
            applied.unapplied.append({index, *fault});
            continue;
        }
        switch (correction->kind) {
        case CorrectionKind::StruckOut:
            applied.corrections.struckOut.insert(correction->record, correction->reason);
            break;
        case CorrectionKind::Restored:
            applied.corrections.struckOut.remove(correction->record);
            break;
        case CorrectionKind::BirthDate:
            applied.corrections.birthDate = dateValue(correction->recordText);
            applied.birthDateCorrectedOn = correction->date;
            break;
        case CorrectionKind::GestationalAge:
            applied.corrections.gestation = GestationalAge::fromText(correction->reason);
            break;
        }
    }
    return applied;
}

std::optional<QString> birthDateCorrectionRefusal(QDate birthDate, QDate today,
                                                  const QStringList& patientRecords)
{
    const std::optional<QDate> firstWeighing = firstWeighingDay(patientRecords);
    const QString date = dateText(birthDate);
    const std::optional<CorrectionFault> fault = birthDateFault(birthDate, today, firstWeighing);
    if (fault == CorrectionFault::BirthDateAfterDay) {
        return QStringLiteral("La fecha de nacimiento %1 es posterior a hoy, %2.")
            .arg(date, dateText(today));
    }
    if (fault == CorrectionFault::BirthDateAfterWeighing) {
        return QStringLiteral("La fecha de nacimiento %1 es posterior a la primera medida "
                              "almacenada, del %2.")
            .arg(date, dateText(*firstWeighing));
    }
    // A year typed with two digits may be read a century back: the first weighing would then
    // stand decades past the chart's six years.
    if (firstWeighing && daysBetween(birthDate, *firstWeighing) > chartAgeSpanDays) {
        return QStringLiteral("La fecha de nacimiento %1 deja la primera medida almacenada, del "
                              "%2, a los %3 días, más allá de los seis años del gráfico.")
            .arg(date, dateText(*firstWeighing),
                 QString::number(daysBetween(birthDate, *firstWeighing), 'f', 0));
    }
    return std::nullopt;
}

MaybeFailure unappliedCorrectionsFailure(const QList<UnappliedCorrection>& unapplied,
                                         const QList<qsizetype>& lines,
                                         const QString& patientFileName)
{
    if (unapplied.isEmpty()) {
        return std::nullopt;
    }
    // The lines of each fault, the faults in the order the file first shows them.
    QList<std::pair<CorrectionFault, QList<qsizetype>>> linesOf;
    for (const UnappliedCorrection& correction : unapplied) {
        const auto group = std::find_if(linesOf.begin(), linesOf.end(), [&](const auto& lines) {
            return lines.first == correction.fault;
        });
        const qsizetype line = lines.value(correction.index, correction.index + 1);
        if (group == linesOf.end()) {
            linesOf.append({correction.fault, {line}});
        } else {
            group->second.append(line);
        }
    }
    QString description =
        unapplied.size() == 1
            ? QStringLiteral("No coinciden los tipos: una corrección del archivo %1 no se aplica "
                             "al archivo %2.")
                  .arg(correctionsFileName(patientFileName), patientFileName)
            : QStringLiteral("No coinciden los tipos: %1 correcciones del archivo %2 no se "
                             "aplican al archivo %3.")
                  .arg(unapplied.size())
                  .arg(correctionsFileName(patientFileName), patientFileName);
    for (const auto& [fault, faultLines] : linesOf) {
        description +=
            QStringLiteral("\n%1 %2: %3.")
                .arg(faultLines.size() == 1 ? QStringLiteral("Línea") : QStringLiteral("Líneas"),
                     listed(faultLines), faultText(fault));
    }
    return Failure{TypeMismatch, description};
}

} // namespace zelpo
