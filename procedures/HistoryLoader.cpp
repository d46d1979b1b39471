#include "procedures/HistoryLoader.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "core/Failure.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "procedures/MarkerOperations.h"
#include "procedures/MarkerTooltip.h"
#include "procedures/WaitCursor.h"
#include "records/PatientFile.h"

#include <optional>

#include <QDir>

namespace {

class HistoryLoader
{
public:
    HistoryLoader(PerZelpo& window, MessageService& messages, const QDir& patientFolder)
        : m_window(window), m_messages(messages), m_patientFolder(patientFolder)
    {}

    void load();

private:
    std::optional<QString> patientFileName();
    bool storedHistoryExists(const QString& fileName);
    void leaveBirthDateToType();
    void plotStoredHistory(const QString& fileName);
    std::optional<QDate> storedBirthDate(const QString& fileName, const zelpo::RecordReading&);
    void plotWeighings(const QString& fileName, const QStringList& records, QDate birthDate);
    void report(const zelpo::Failure& failure);

    PerZelpo& m_window;
    MessageService& m_messages;
    const QDir& m_patientFolder;
};

void HistoryLoader::load()
{
    m_window.Text2()->setEnabled(true);
    const QString historyText = m_window.Text3()->text();
    // "12.9" would name child 12's file: a history number is whole.
    if (!historyText.isEmpty() && !zelpo::isWholeNumber(historyText)) {
        reportHistoryNumberNotNumeric(m_messages);
        m_window.Text3()->clear();
        return;
    }
    LimpiarGrafico(m_window);
    const std::optional<QString> fileName = patientFileName();
    m_window.Image3()->setVisible(!m_window.varonSelected());
    if (!fileName || !storedHistoryExists(*fileName)) {
        leaveBirthDateToType();
        return;
    }
    m_messages.show(QStringLiteral("Este paciente posee datos almacenados"),
                    MessageStyle::OkInformation, QStringLiteral("Información"));
    m_window.Text2()->setEnabled(false);
    plotStoredHistory(*fileName);
    m_window.Text1()->clear();
    m_window.Text1()->setFocus();
}

std::optional<QString> HistoryLoader::patientFileName()
{
    const QString historyText = m_window.Text3()->text();
    const zelpo::Result<QString> name = zelpo::NombreArchivo(historyText, m_window.varonSelected());
    if (name.ok()) {
        return name.value();
    }
    report({name.failure().code,
            QStringLiteral("Argumento no válido: el número de historia clínica %1 no cabe en las "
                           "siete cifras del nombre del archivo del paciente.")
                .arg(historyText.trimmed())});
    return std::nullopt;
}

bool HistoryLoader::storedHistoryExists(const QString& fileName)
{
    const zelpo::Result<bool> exists = zelpo::patientFileExists(fileName, m_patientFolder);
    // Whatever stands under the name instead of a patient file is no history of this child.
    if (!exists.ok()) {
        report(exists.failure());
        return false;
    }
    return exists.value();
}

void HistoryLoader::leaveBirthDateToType()
{
    TextBox* birthDate = m_window.Text2();
    birthDate->setEnabled(true);
    birthDate->clear();
    birthDate->setFocus();
}

void HistoryLoader::plotStoredHistory(const QString& fileName)
{
    const zelpo::RecordReading reading =
        zelpo::readPatientRecords(fileName, m_patientFolder, WaitCursor().whileWaiting());
    if (const std::optional<QDate> birthDate = storedBirthDate(fileName, reading)) {
        m_window.Text2()->setText(zelpo::dateText(*birthDate));
        plotWeighings(fileName, reading.records, *birthDate);
        m_window.setMarkersHeld(false);
    } else {
        // Without a birth date no age can be worked out, so nothing is plotted, and the empty,
        // editable box shows that nothing was loaded.
        m_window.Text2()->setEnabled(true);
        m_window.Text2()->clear();
    }
    // Whatever was read before the file failed stays on the chart.
    if (reading.failure) {
        report(*reading.failure);
    }
}

std::optional<QDate> HistoryLoader::storedBirthDate(const QString& fileName,
                                                    const zelpo::RecordReading& reading)
{
    if (reading.records.isEmpty()) {
        // A file that could not be read at all is told once, by its own failure.
        if (!reading.failure) {
            report({zelpo::InputPastEndOfFile,
                    QStringLiteral("Se leyó más allá del final del archivo: el archivo %1 no "
                                   "contiene la fecha de nacimiento; no se muestra ninguna medida.")
                        .arg(fileName)});
        }
        return std::nullopt;
    }
    const QString& record = reading.records.first();
    const std::optional<QDate> birthDate = zelpo::dateValue(record);
    if (!birthDate) {
        report({zelpo::TypeMismatch,
                QStringLiteral("No coinciden los tipos: el primer registro del archivo %1, \"%2\", "
                               "no es una fecha de nacimiento; no se muestra ninguna medida.")
                    .arg(fileName, record)});
    }
    return birthDate;
}

void HistoryLoader::plotWeighings(const QString& fileName, const QStringList& fileRecords,
                                  QDate birthDate)
{
    int markerIndex = 0;
    const QStringList records = fileRecords.sliced(1);
    const QList<zelpo::PlacedWeighing> weighings = zelpo::placeWeighings(records);
    // The table's rows are the weighings placed, in the same order: row k is marker k's.
    const zelpo::StoredHistory table = zelpo::storedHistory(fileRecords, selectedChart(m_window));
    for (qsizetype position = 0; position < weighings.size(); ++position) {
        // Markers beyond the pool would survive the next clearing and show on another child's
        // chart, so the rest of a longer history is only counted.
        if (markerIndex == zelpo::markerPoolSize) {
            const qsizetype notShown = records.size() - position;
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
        // Told as the file's record number, the birth date being record 1.
        const qsizetype recordNumber = position + 2;
        if (!weighing.date) {
            report({zelpo::TypeMismatch,
                    QStringLiteral("No coinciden los tipos: el registro %1 del archivo %2, "
                                   "\"%3\", no comienza con una fecha; la medida no se "
                                   "muestra.")
                        .arg(recordNumber)
                        .arg(fileName, records[position])});
            continue;
        }
        if (weighing.dateBorrowed) {
            report({zelpo::TypeMismatch,
                    QStringLiteral("No coinciden los tipos: el registro %1 del archivo %2, \"%3\", "
                                   "no comienza con una fecha; la medida se muestra con la fecha "
                                   "de la medida anterior, %4.")
                        .arg(recordNumber)
                        .arg(fileName, records[position], zelpo::dateText(*weighing.date))});
        }
        m_window.setMarkersHeld(true);
        UbicarMarcador(m_window, markerIndex, zelpo::daysBetween(birthDate, *weighing.date),
                       weighing.grams);
        tagMarker(m_window, markerIndex, table.weighings[markerIndex]);
        ++markerIndex;
    }
}

void HistoryLoader::report(const zelpo::Failure& failure)
{
    // The markers plotted so far stand on the chart behind the message.
    m_window.setMarkersHeld(false);
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

void CargarHistoria(PerZelpo& window, MessageService& messages, const QDir& patientFolder)
{
    HistoryLoader(window, messages, patientFolder).load();
}
