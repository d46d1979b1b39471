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
#include "procedures/MarkerTooltip.h"
#include "procedures/WaitCursor.h"
#include "records/PatientFile.h"

#include <optional>

namespace zelpo {

namespace {

class HistoryLoader
{
public:
    HistoryLoader(PerZelpo& window, zelpo::ChildHistory& history, MessageService* messages)
        : m_window(window), m_history(history), m_messages(messages)
    {}

    void load();
    void redraw();

private:
    void leaveBirthDateToType();
    void plotStoredHistory(const std::optional<zelpo::Failure>& failure);
    std::optional<QDate> storedBirthDate(const std::optional<zelpo::Failure>& failure);
    void plotWeighings(QDate birthDate);
    void report(const zelpo::Failure& failure);

    PerZelpo& m_window;
    zelpo::ChildHistory& m_history;
    // Nothing is told when the history is only drawn again.
    MessageService* m_messages;
};

void HistoryLoader::load()
{
    m_window.Text2()->setEnabled(true);
    const zelpo::ChildKey child{m_window.Text3()->text(), m_window.varonSelected()};
    // "12.9" would name child 12's file: a history number is whole.
    if (!child.historyText.isEmpty() && !zelpo::isWholeNumber(child.historyText)) {
        reportHistoryNumberNotNumeric(*m_messages);
        m_window.Text3()->clear();
        m_history.openUnread({QString(), child.varon});
        return;
    }
    LimpiarGrafico(m_window);
    const zelpo::HistoryLookup lookup = m_history.load(child, WaitCursor().whileWaiting());
    if (lookup.file == zelpo::PatientFileFound::Unnamed) {
        report({lookup.failure->code,
                QStringLiteral("Argumento no válido: el número de historia clínica %1 no cabe en "
                               "las siete cifras del nombre del archivo del paciente.")
                    .arg(child.historyText.trimmed())});
    }
    m_window.Image3()->setVisible(!child.varon);
    if (lookup.file != zelpo::PatientFileFound::Found) {
        if (lookup.file == zelpo::PatientFileFound::None && lookup.failure) {
            report(*lookup.failure);
        }
        leaveBirthDateToType();
        return;
    }
    m_messages->show(QStringLiteral("Este paciente posee datos almacenados"),
                     MessageStyle::OkInformation, QStringLiteral("Información"));
    m_window.Text2()->setEnabled(false);
    plotStoredHistory(lookup.failure);
    if (lookup.corrections) {
        report(*lookup.corrections);
    }
    m_window.Text1()->clear();
    m_window.Text1()->setFocus();
}

void HistoryLoader::redraw()
{
    LimpiarGrafico(m_window);
    if (!m_history.records().isEmpty()) {
        plotStoredHistory(std::nullopt);
    }
}

void HistoryLoader::leaveBirthDateToType()
{
    TextBox* birthDate = m_window.Text2();
    birthDate->setEnabled(true);
    birthDate->clear();
    birthDate->setFocus();
}

void HistoryLoader::plotStoredHistory(const std::optional<zelpo::Failure>& failure)
{
    if (const std::optional<QDate> birthDate = storedBirthDate(failure)) {
        m_window.Text2()->setText(zelpo::dateText(*birthDate));
        plotWeighings(*birthDate);
        m_window.setMarkersHeld(false);
    } else {
        // Without a birth date no age can be worked out, so nothing is plotted, and the empty,
        // editable box shows that nothing was loaded.
        m_window.Text2()->setEnabled(true);
        m_window.Text2()->clear();
    }
    // Whatever was read before the file failed stays on the chart.
    if (failure) {
        report(*failure);
    }
}

std::optional<QDate> HistoryLoader::storedBirthDate(const std::optional<zelpo::Failure>& failure)
{
    const QStringList& records = m_history.records();
    if (records.isEmpty()) {
        // A file that could not be read at all is told once, by its own failure.
        if (!failure) {
            report({zelpo::InputPastEndOfFile,
                    QStringLiteral("Se leyó más allá del final del archivo: el archivo %1 no "
                                   "contiene la fecha de nacimiento; no se muestra ninguna medida.")
                        .arg(m_history.fileName())});
        }
        return std::nullopt;
    }
    const std::optional<QDate> birthDate = m_history.stored().birthDate;
    if (!birthDate) {
        report({zelpo::TypeMismatch,
                QStringLiteral("No coinciden los tipos: el primer registro del archivo %1, \"%2\", "
                               "no es una fecha de nacimiento; no se muestra ninguna medida.")
                    .arg(m_history.fileName(), records.first())});
    }
    return birthDate;
}

void HistoryLoader::plotWeighings(QDate birthDate)
{
    int markerIndex = 0;
    const QString fileName = m_history.fileName();
    const QStringList records = m_history.records().sliced(1);
    const QList<zelpo::PlacedWeighing> weighings = zelpo::placeWeighings(records);
    const auto struckOut = [this](qsizetype record) {
        const zelpo::StoredWeighing* weighing = m_history.weighingAt(record);
        return weighing && !weighing->struckOut.isEmpty();
    };
    for (qsizetype position = 0; position < weighings.size(); ++position) {
        // A weighing entered in error is off the chart; it stays in the file and the tables.
        if (struckOut(position + 1)) {
            continue;
        }
        // Markers beyond the pool would survive the next clearing and show on another child's
        // chart, so the rest of a longer history is only counted.
        if (markerIndex == zelpo::markerPoolSize) {
            qsizetype notShown = 0;
            for (qsizetype rest = position; rest < weighings.size(); ++rest) {
                notShown += struckOut(rest + 1) ? 0 : 1;
            }
            const QString rest =
                notShown == 1
                    ? QStringLiteral("la medida restante no se muestra")
                    : QStringLiteral("las %1 medidas restantes no se muestran").arg(notShown);
            report({zelpo::ControlArrayElementMissing,
                    QStringLiteral("El elemento de la matriz de controles no existe: el gráfico "
                                   "muestra solo las primeras %1 medidas del archivo %2; %3.")
                        .arg(zelpo::markerPoolSize)
                        .arg(fileName, rest)});
            return;
        }
        const zelpo::PlacedWeighing& weighing = weighings[position];
        // Told as the file's line number, the birth date being line 1.
        const qsizetype lineNumber = position + 2;
        if (!weighing.date) {
            report({zelpo::TypeMismatch,
                    QStringLiteral("No coinciden los tipos: el registro %1 del archivo %2, "
                                   "\"%3\", no comienza con una fecha; la medida no se "
                                   "muestra.")
                        .arg(lineNumber)
                        .arg(fileName, records[position])});
            continue;
        }
        if (weighing.dateBorrowed) {
            report({zelpo::TypeMismatch,
                    QStringLiteral("No coinciden los tipos: el registro %1 del archivo %2, \"%3\", "
                                   "no comienza con una fecha; la medida se muestra con la fecha "
                                   "de la medida anterior, %4.")
                        .arg(lineNumber)
                        .arg(fileName, records[position], zelpo::dateText(*weighing.date))});
        }
        m_window.setMarkersHeld(true);
        UbicarMarcador(m_window, markerIndex, zelpo::daysBetween(birthDate, *weighing.date),
                       weighing.grams);
        tagMarker(m_window, markerIndex, {*weighing.date, weighing.grams, birthDate, position + 1});
        ++markerIndex;
    }
}

void HistoryLoader::report(const zelpo::Failure& failure)
{
    if (!m_messages) {
        return;
    }
    // The markers plotted so far stand on the chart behind the message.
    m_window.setMarkersHeld(false);
    // The code stands after a blank of its own, as numbers are written with room for a sign.
    m_messages->show(QStringLiteral("Error : ") + u' ' + QString::number(failure.code) +
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

void CargarHistoria(PerZelpo& window, zelpo::ChildHistory& history, MessageService& messages)
{
    HistoryLoader(window, history, &messages).load();
}

void redrawHistory(PerZelpo& window, zelpo::ChildHistory& history)
{
    HistoryLoader(window, history, nullptr).redraw();
}

} // namespace zelpo
