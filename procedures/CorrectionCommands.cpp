#include "procedures/CorrectionCommands.h"

#include "core/Clock.h"
#include "core/Conversions.h"
#include "core/GestationalAge.h"
#include "core/MessageService.h"
#include "core/TextPrompt.h"
#include "history/ChildHistory.h"
#include "procedures/WaitCursor.h"
#include "records/AppliedCorrections.h"

namespace zelpo {

namespace {

const QString errorTitle = QStringLiteral("Error");

void refuse(CorrectionServices services, const QString& text)
{
    services.messages.show(text, MessageStyle::OkStop, errorTitle);
}

void tellIfFailed(CorrectionServices services, const MaybeFailure& failure, const QString& what)
{
    if (failure) {
        services.messages.show(QStringLiteral("No se pudo %1.\r%2").arg(what, failure->description),
                               MessageStyle::OkStop);
    }
}

std::optional<QString> askReason(CorrectionServices services, const QString& title)
{
    const QString rule = QStringLiteral("de 1 a %1 caracteres, sin %2")
                             .arg(maxCorrectionReasonLength)
                             .arg(QString::fromUtf8(unkeptReasonCharacters));
    const std::optional<QString> typed = services.prompt.ask(
        title, QStringLiteral("Motivo (%1), por ejemplo \"error de tipeo\":").arg(rule), QString(),
        // The box counts the halves of a character beyond the first 65,536 (an emoji) as two: it
        // takes room for 80 of those, and the reason kept is cut at 80 characters.
        int(2 * maxCorrectionReasonLength));
    // What the record cannot hold is left out: a reason of nothing else is no reason.
    if (typed && keptReason(*typed).isEmpty()) {
        refuse(services, QStringLiteral("Debe escribir el motivo: %1.").arg(rule));
        return std::nullopt;
    }
    return typed;
}

} // namespace

void strikeOutWeighing(ChildHistory& history, const StoredWeighing& weighing,
                       CorrectionServices services)
{
    if (!weighing.struckOut.isEmpty()) {
        return;
    }
    // The weighing is the history's own, renewed once the correction is recorded.
    const qsizetype record = weighing.record;
    const QString question = QStringLiteral("¿Anular la medida de %1 g del %2? Seguirá en el "
                                            "archivo y en esta tabla, marcada como anulada.")
                                 .arg(QString::number(weighing.grams, 'f', 0), weighing.date);
    const std::optional<QString> reason = askReason(services, QStringLiteral("Anular la medida"));
    if (!reason ||
        services.messages.show(question, MessageStyle::YesNoQuestion) != MessageAnswer::Yes) {
        return;
    }
    tellIfFailed(
        services,
        history.strikeOut(record, *reason, services.clock.today(), WaitCursor().whileWaiting()),
        QStringLiteral("anular la medida"));
}

void restoreWeighing(ChildHistory& history, const StoredWeighing& weighing,
                     CorrectionServices services)
{
    if (weighing.struckOut.isEmpty()) {
        return;
    }
    tellIfFailed(
        services,
        history.restore(weighing.record, services.clock.today(), WaitCursor().whileWaiting()),
        QStringLiteral("restituir la medida"));
}

void correctBirthDate(ChildHistory& history, CorrectionServices services)
{
    const QString title = QStringLiteral("Corregir la fecha de nacimiento");
    const std::optional<QDate> current = history.stored().birthDate;
    const std::optional<QString> typed =
        services.prompt.ask(title, QStringLiteral("Fecha de nacimiento (dd/mm/aaaa):"),
                            current ? dateText(*current) : QString(), 10);
    if (!typed) {
        return;
    }
    // Read as the birth-date box reads it.
    const std::optional<QDate> birthDate = dateValue(*typed);
    if (!birthDate) {
        refuse(services, QStringLiteral("Error, debe escribir correctamente la fecha de "
                                        "nacimiento (dd/mm/aaaa)."));
        return;
    }
    // Every age counts from it: a birth after today or after a stored weighing is no birth date.
    if (const std::optional<QString> refusal =
            history.birthDateRefusal(*birthDate, services.clock.today())) {
        refuse(services, *refusal + QStringLiteral(" No se corrige la fecha de nacimiento."));
        return;
    }
    if (const std::optional<QString> reason = askReason(services, title)) {
        tellIfFailed(services,
                     history.correctBirthDate(*birthDate, *reason, services.clock.today(),
                                              WaitCursor().whileWaiting()),
                     QStringLiteral("corregir la fecha de nacimiento"));
    }
}

void recordGestationalAge(ChildHistory& history, CorrectionServices services)
{
    const std::optional<GestationalAge>& recorded = history.stored().gestation;
    // The box takes whatever the reader reads, blanks included: " 30 +2" is 30+2.
    const std::optional<QString> typed = services.prompt.ask(
        QStringLiteral("Edad gestacional al nacer"),
        QStringLiteral("Semanas y días al nacer, de 22+0 a 44+6 (por ejemplo 30+2, o 30 para "
                       "30+0); 37+0 o más si nació a término:"),
        recorded ? recorded->text() : QString(), GestationalAge::kLongestText);
    if (!typed) {
        return;
    }
    const std::optional<GestationalAge> gestation = GestationalAge::fromText(*typed);
    if (!gestation) {
        refuse(services, QStringLiteral("Error, debe escribir la edad gestacional al nacer en "
                                        "semanas y días, de 22+0 a 44+6 (por ejemplo 30+2)."));
        return;
    }
    tellIfFailed(services,
                 history.recordGestationalAge(*gestation, services.clock.today(),
                                              WaitCursor().whileWaiting()),
                 QStringLiteral("anotar la edad gestacional al nacer"));
}

} // namespace zelpo
