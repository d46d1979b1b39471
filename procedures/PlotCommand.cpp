#include "procedures/PlotCommand.h"

#include "core/ChartScale.h"
#include "core/Clock.h"
#include "core/Conversions.h"
#include "core/MessageService.h"
#include "core/Plausibility.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/HistoryLoader.h"
#include "procedures/WaitCursor.h"

namespace zelpo {

namespace {

constexpr double lowestWeightGrams = 300.0;
constexpr double highestWeightGrams = chartWeightSpanGrams; // the chart's top

const QString errorTitle = QStringLiteral("Error");

bool weightInRange(const QString& weightText)
{
    const double grams = numericValue(weightText);
    return grams >= lowestWeightGrams && grams <= highestWeightGrams;
}

// Why the weighing is missing from the patient file, told before it is plotted all the same.
QString storeFailureText(const ChildKey& child, const Failure& failure)
{
    const Result<QString> fileName = child.fileName();
    if (!fileName.ok()) {
        return QStringLiteral("La medida no se almacenó: el número de historia clínica %1 no cabe "
                              "en las siete cifras del nombre del archivo del paciente.\nEl punto "
                              "se grafica de todos modos, pero no queda guardado.")
            .arg(child.historyText.trimmed());
    }
    return QStringLiteral("La medida no se almacenó en el archivo %1.\n%2\nEl punto se grafica "
                          "de todos modos, pero no queda guardado.")
        .arg(fileName.value(), failure.description);
}

} // namespace

PlotCommand::PlotCommand(PerZelpo& window, ChildHistory& history, MessageService& messages,
                         const Clock& clock)
    : m_window(window), m_history(history), m_messages(messages), m_clock(clock)
{}

void PlotCommand::Command1_Click()
{
    if (!isDate(m_window.Text2()->text()) || !isNumber(m_window.Text1()->text())) {
        m_messages.show(QStringLiteral("Error, debe escribir correctamente la fecha de nacimiento "
                                       "(dd/mm/aaaa) y el zelpo (en Gramos) del paciente !"),
                        MessageStyle::OkStop, errorTitle);
        return;
    }
    if (!weightInRange(m_window.Text1()->text())) {
        refuseWeight();
        return;
    }
    // The weighing is questioned and placed against the history in force, as a look-up reads it:
    // what other desks stored or corrected since, the birth date included, which the box follows.
    // A history that cannot be read whole, corrections included, takes no weighing: it is told
    // once, and the weighing plotted all the same.
    if (const MaybeFailure unread = m_history.refresh(WaitCursor().whileWaiting())) {
        m_messages.show(storeFailureText(m_history.key(), *unread), MessageStyle::OkStop,
                        errorTitle);
        m_history.plotUnstored(birthDateInForce(), numericValue(m_window.Text1()->text()),
                               m_clock.today());
        return;
    }
    const QDate birthDate = birthDateInForce();
    if (!confirmedIfImplausible(birthDate)) {
        m_window.Text1()->setFocus();
        m_window.Text1()->selectAll();
        return;
    }
    const MessageAnswer store =
        m_messages.show(QStringLiteral("Almacena las medidas tomadas al paciente"),
                        MessageStyle::YesNoQuestion, QStringLiteral("Pregunta"));
    const double grams = numericValue(m_window.Text1()->text());
    const QDate today = m_clock.today();
    if (store != MessageAnswer::Yes || !storeWeighing(birthDate, grams, today)) {
        m_history.plotUnstored(birthDate, grams, today);
    }
}

QDate PlotCommand::birthDateInForce() const
{
    return m_history.storedBirthDate().value_or(
        dateValue(m_window.Text2()->text()).value_or(QDate()));
}

bool PlotCommand::confirmedIfImplausible(QDate birthDate)
{
    const QDate today = m_clock.today();
    const QStringList doubts =
        implausibility(m_history.key().chart(), daysBetween(birthDate, today),
                       numericValue(m_window.Text1()->text()), today, m_history.lastStored(),
                       m_history.stored().gestation);
    return doubts.isEmpty() ||
           m_messages.show(plausibilityQuestion(doubts), MessageStyle::YesNoExclamation) ==
               MessageAnswer::Yes;
}

void PlotCommand::Text1_LostFocus()
{
    const QString weightText = m_window.Text1()->text();
    if (isNumber(weightText) && !weightInRange(weightText)) {
        refuseWeight();
    }
}

void PlotCommand::refuseWeight()
{
    m_messages.show(
        QStringLiteral("Este valor ingresado está fuera de los rangos permitidos para graficar."),
        MessageStyle::OkStop, errorTitle);
    m_window.Text1()->clear();
    m_window.Text1()->setFocus();
}

void PlotCommand::tellWhatToReview(qsizetype record)
{
    const StoredWeighing* stored = m_history.weighingAt(record);
    if (!stored || stored->review.isEmpty()) {
        return;
    }
    // A signal is a reason to look at the curve again, never a finding: said so every time.
    const QString signal = stored->review.at(0).toUpper() + stored->review.mid(1);
    m_messages.show(signal + QStringLiteral(".\nEs un motivo para mirar la curva con atención, "
                                            "no un diagnóstico."),
                    MessageStyle::OkInformation, QStringLiteral("Para revisar"));
}

bool PlotCommand::storeWeighing(QDate birthDate, double grams, QDate today)
{
    // "Graficar" has looked the typed number up first: the open child is the one the box names.
    const ChildKey& child = m_history.key();
    if (!child.namesAChild()) {
        // A fraction is a number typed wrongly; no number, or the box's 0, is a number missing.
        if (isNumber(child.historyText) && numericValue(child.historyText) != 0) {
            reportHistoryNumberNotNumeric(m_messages);
            return false;
        }
        m_messages.show(
            QStringLiteral(
                "Si desea almacenar este dato ingresado, deberá primero otorgarle al programa un "
                "número de historia clínica al paciente para así poder seguir la evolución de "
                "zelpo en otra oportunidad"),
            MessageStyle::OkStop, errorTitle);
        return false;
    }
    const Result<qsizetype> filed =
        m_history.store(birthDate, grams, today, WaitCursor().whileWaiting());
    if (!filed.ok()) {
        m_messages.show(storeFailureText(child, filed.failure()), MessageStyle::OkStop, errorTitle);
        return false;
    }
    tellWhatToReview(filed.value());
    return true;
}

} // namespace zelpo
