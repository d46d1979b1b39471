#include "procedures/PlotCommand.h"

#include "core/Clock.h"
#include "core/Conversions.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/HistoryLoader.h"
#include "procedures/MarkerOperations.h"
#include "procedures/MarkerTooltip.h"
#include "procedures/WaitCursor.h"
#include "records/PatientFile.h"

#include <QDir>

namespace {

constexpr double lowestWeightGrams = 300.0;
constexpr double highestWeightGrams = 30000.0;

const QString errorTitle = QStringLiteral("Error");

bool weightInRange(const QString& weightText)
{
    const double grams = zelpo::numericValue(weightText);
    return grams >= lowestWeightGrams && grams <= highestWeightGrams;
}

// Why the weighing is missing from the patient file, told before it is plotted all the same.
QString storeFailureText(const QString& historyText, bool varonSelected,
                         const zelpo::Failure& failure)
{
    const zelpo::Result<QString> fileName = zelpo::NombreArchivo(historyText, varonSelected);
    if (!fileName.ok()) {
        return QStringLiteral("La medida no se almacenó: el número de historia clínica %1 no cabe "
                              "en las siete cifras del nombre del archivo del paciente.\nEl punto "
                              "se grafica de todos modos, pero no queda guardado.")
            .arg(historyText.trimmed());
    }
    return QStringLiteral("La medida no se almacenó en el archivo %1.\n%2\nEl punto se grafica "
                          "de todos modos, pero no queda guardado.")
        .arg(fileName.value(), failure.description);
}

} // namespace

PlotCommand::PlotCommand(PerZelpo& window, MessageService& messages, const Clock& clock,
                         const QDir& patientFolder)
    : m_window(window), m_messages(messages), m_clock(clock), m_patientFolder(patientFolder)
{}

void PlotCommand::Command1_Click()
{
    if (!zelpo::isDate(m_window.Text2()->text()) || !zelpo::isNumber(m_window.Text1()->text())) {
        m_messages.show(QStringLiteral("Error, debe escribir correctamente la fecha de nacimiento "
                                       "(dd/mm/aaaa) y el zelpo (en Gramos) del paciente !"),
                        MessageStyle::OkStop, errorTitle);
        return;
    }
    if (!weightInRange(m_window.Text1()->text())) {
        refuseWeight();
        return;
    }
    const MessageAnswer store =
        m_messages.show(QStringLiteral("Almacena las medidas tomadas al paciente"),
                        MessageStyle::YesNoQuestion, QStringLiteral("Pregunta"));
    const bool stored = store == MessageAnswer::Yes && storeWeighing();
    plotWeighing(stored);
}

void PlotCommand::Text1_LostFocus()
{
    const QString weightText = m_window.Text1()->text();
    if (zelpo::isNumber(weightText) && !weightInRange(weightText)) {
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

bool PlotCommand::storeWeighing()
{
    const QString historyText = m_window.Text3()->text();
    if (!zelpo::namesAChild(historyText)) {
        // A fraction is a number typed wrongly; no number, or the box's 0, is a number missing.
        if (zelpo::isNumber(historyText) && zelpo::numericValue(historyText) != 0) {
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
    // The weighing belongs to the chart of the sex it is filed under.
    const bool varonSelected = m_window.varonSelected();
    m_window.Image3()->setVisible(!varonSelected);
    const zelpo::MaybeFailure failure = zelpo::GuardarMedida(
        varonSelected, historyText, m_window.Text2()->text(), m_window.Text1()->text(),
        m_clock.today(), m_patientFolder, WaitCursor().whileWaiting());
    if (failure) {
        m_messages.show(storeFailureText(historyText, varonSelected, *failure),
                        MessageStyle::OkStop, errorTitle);
    }
    return !failure;
}

void PlotCommand::plotWeighing(bool stored)
{
    const int index = PrimerMarcadorLibre(m_window);
    const QDate birthDate = zelpo::dateValue(m_window.Text2()->text()).value_or(QDate());
    const double grams = zelpo::numericValue(m_window.Text1()->text());
    const double ageDays = zelpo::daysBetween(birthDate, m_clock.today());
    UbicarMarcador(m_window, index, ageDays, grams);
    MarcarUltimoPunto(m_window, index);
    tagMarker(m_window, index, plottedWeighing(stored, birthDate, grams));
}

zelpo::StoredWeighing PlotCommand::plottedWeighing(bool stored, QDate birthDate, double grams) const
{
    // A weighing just filed is the file's last row: the marker reads as the page and the
    // spreadsheet read it. One not filed reads with its own values, its gain counted from the
    // last weighing stored for the child.
    const QList<zelpo::StoredWeighing> rows = storedWeighings();
    if (stored && !rows.isEmpty()) {
        return rows.last();
    }
    std::optional<zelpo::EarlierWeighing> earlier;
    if (!rows.isEmpty()) {
        earlier = {zelpo::dateValue(rows.last().date).value_or(QDate()), rows.last().grams};
    }
    const QDate today = m_clock.today();
    return {zelpo::readWeighing(selectedChart(m_window), birthDate, today, grams, earlier),
            zelpo::dateText(today), grams};
}

QList<zelpo::StoredWeighing> PlotCommand::storedWeighings() const
{
    const QString fileName = namedPatientFile(m_window);
    if (fileName.isEmpty()) {
        return {};
    }
    const zelpo::RecordReading reading =
        zelpo::readPatientRecords(fileName, m_patientFolder, WaitCursor().whileWaiting());
    return zelpo::storedHistory(reading.records, selectedChart(m_window)).weighings;
}
