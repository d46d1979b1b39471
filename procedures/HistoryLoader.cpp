#include "procedures/HistoryLoader.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "core/Failure.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/MarkerOperations.h"
#include "procedures/WaitCursor.h"
#include "records/PatientFile.h"

#include <optional>

namespace zelpo {

namespace {

class HistoryLoader
{
public:
    HistoryLoader(PerZelpo& window, ChildHistory& history, MessageService& messages)
        : m_window(window), m_history(history), m_messages(messages)
    {}

    void load();

private:
    void leaveBirthDateToType();
    void showStoredHistory(const std::optional<Failure>& failure);
    std::optional<QDate> storedBirthDate(const std::optional<Failure>& failure);
    void reportWeighingsNotShown();
    void report(const Failure& failure);

    PerZelpo& m_window;
    ChildHistory& m_history;
    MessageService& m_messages;
};

void HistoryLoader::load()
{
    m_window.Text2()->setEnabled(true);
    const ChildKey child{m_window.Text3()->text(), m_window.varonSelected()};
    // "12.9" would name child 12's file: a history number is whole. The chart stays as it is.
    if (!child.historyText.isEmpty() && !isWholeNumber(child.historyText)) {
        reportHistoryNumberNotNumeric(m_messages);
        m_window.Text3()->clear();
        m_history.forgetNumber();
        return;
    }
    LimpiarGrafico(m_window);
    // The chart shows the child's history as soon as it is read.
    const HistoryLookup lookup = m_history.load(child, WaitCursor().whileWaiting());
    if (lookup.file == PatientFileFound::Unnamed) {
        report({lookup.failure->code,
                QStringLiteral("Argumento no válido: el número de historia clínica %1 no cabe en "
                               "las siete cifras del nombre del archivo del paciente.")
                    .arg(child.historyText.trimmed())});
    }
    m_window.Image3()->setVisible(!child.varon);
    if (lookup.file != PatientFileFound::Found) {
        if (lookup.file == PatientFileFound::None && lookup.failure) {
            report(*lookup.failure);
        }
        leaveBirthDateToType();
        return;
    }
    m_messages.show(QStringLiteral("Este paciente posee datos almacenados"),
                    MessageStyle::OkInformation, QStringLiteral("Información"));
    m_window.Text2()->setEnabled(false);
    showStoredHistory(lookup.failure);
    if (lookup.corrections) {
        report(*lookup.corrections);
    }
    m_window.Text1()->clear();
    m_window.Text1()->setFocus();
}

void HistoryLoader::leaveBirthDateToType()
{
    TextBox* birthDate = m_window.Text2();
    birthDate->setEnabled(true);
    birthDate->clear();
    birthDate->setFocus();
}

void HistoryLoader::showStoredHistory(const std::optional<Failure>& failure)
{
    if (const std::optional<QDate> birthDate = storedBirthDate(failure)) {
        m_window.Text2()->setText(dateText(*birthDate));
        reportWeighingsNotShown();
    } else {
        // Without a birth date no age can be worked out, so nothing is shown, and the empty,
        // editable box shows that nothing was loaded.
        m_window.Text2()->setEnabled(true);
        m_window.Text2()->clear();
    }
    // Whatever was read before the file failed stays on the chart.
    if (failure) {
        report(*failure);
    }
}

std::optional<QDate> HistoryLoader::storedBirthDate(const std::optional<Failure>& failure)
{
    const QStringList& records = m_history.records();
    if (records.isEmpty()) {
        // A file that could not be read at all is told once, by its own failure.
        if (!failure) {
            report({InputPastEndOfFile,
                    QStringLiteral("Se leyó más allá del final del archivo: el archivo %1 no "
                                   "contiene la fecha de nacimiento; no se muestra ninguna medida.")
                        .arg(m_history.fileName())});
        }
        return std::nullopt;
    }
    const std::optional<QDate> birthDate = m_history.stored().birthDate;
    if (!birthDate) {
        report({TypeMismatch,
                QStringLiteral("No coinciden los tipos: el primer registro del archivo %1, \"%2\", "
                               "no es una fecha de nacimiento; no se muestra ninguna medida.")
                    .arg(m_history.fileName(), records.first())});
    }
    return birthDate;
}

// The weighings of the file that the chart does not show, told in the file's order: those whose
// date cannot be read, and those past the markers the chart has; those struck out and those taken
// before a baby born early was due are left off without a word.
void HistoryLoader::reportWeighingsNotShown()
{
    const QString fileName = m_history.fileName();
    const QStringList& records = m_history.records();
    // Struck out, or weighed before a baby born early was due: off the chart, and no marker's.
    const auto offTheChart = [this](qsizetype record) {
        const StoredWeighing* weighing = m_history.weighingAt(record);
        return weighing && (!weighing->struckOut.isEmpty() ||
                            weighing->correctedDays.value_or(0) < 0);
    };
    int shown = 0;
    for (qsizetype record = 1; record < records.size(); ++record) {
        if (offTheChart(record)) {
            continue;
        }
        if (shown == markerPoolSize) {
            qsizetype notShown = 0;
            for (qsizetype rest = record; rest < records.size(); ++rest) {
                notShown += offTheChart(rest) ? 0 : 1;
            }
            const QString rest =
                notShown == 1
                    ? QStringLiteral("la medida restante no se muestra")
                    : QStringLiteral("las %1 medidas restantes no se muestran").arg(notShown);
            report({ControlArrayElementMissing,
                    QStringLiteral("El elemento de la matriz de controles no existe: el gráfico "
                                   "muestra solo las primeras %1 medidas del archivo %2; %3.")
                        .arg(markerPoolSize)
                        .arg(fileName, rest)});
            return;
        }
        // Told as the file's line number, the birth date being line 1.
        const qsizetype lineNumber = record + 1;
        const StoredWeighing* weighing = m_history.weighingAt(record);
        if (!weighing) {
            report({TypeMismatch, QStringLiteral("No coinciden los tipos: el registro %1 del "
                                                 "archivo %2, \"%3\", no comienza con una fecha; "
                                                 "la medida no se muestra.")
                                      .arg(lineNumber)
                                      .arg(fileName, records[record])});
            continue;
        }
        if (weighing->dateBorrowed) {
            report({TypeMismatch,
                    QStringLiteral("No coinciden los tipos: el registro %1 del archivo %2, \"%3\", "
                                   "no comienza con una fecha; la medida se muestra con la fecha "
                                   "de la medida anterior, %4.")
                        .arg(lineNumber)
                        .arg(fileName, records[record], weighing->date)});
        }
        ++shown;
    }
}

void HistoryLoader::report(const Failure& failure)
{
    // The code stands after a blank of its own, as numbers are written with room for a sign.
    m_messages.show(QStringLiteral("Error : ") + u' ' + QString::number(failure.code) +
                        QStringLiteral(" --> ") + failure.description,
                    MessageStyle::Ok);
}

} // namespace

void reportHistoryNumberNotNumeric(MessageService& messages)
{
    messages.show(QStringLiteral("Debe Ingresar un dato numérico para poder almacenar la "
                                 "información en disco."),
                  MessageStyle::Ok, QStringLiteral("Error!"));
}

void CargarHistoria(PerZelpo& window, ChildHistory& history, MessageService& messages)
{
    HistoryLoader(window, history, messages).load();
}

void showCorrectedBirthDate(PerZelpo& window, const ChildHistory& history)
{
    if (const std::optional<QDate> birthDate = history.stored().birthDate) {
        window.Text2()->setText(dateText(*birthDate));
    }
}

} // namespace zelpo
