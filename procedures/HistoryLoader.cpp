#include "procedures/HistoryLoader.h"

#include "core/Conversions.h"
#include "core/Failure.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/MarkerOperations.h"
#include "procedures/WaitCursor.h"

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
    void report(const Failure& failure);

    PerZelpo& m_window;
    ChildHistory& m_history;
    MessageService& m_messages;
};

void HistoryLoader::load()
{
    const ChildKey child = childNamedByBoxes(m_window);
    // "12.9" would name child 12's file: a history number is whole. The chart stays as it is.
    if (!child.historyText.isEmpty() && !isWholeNumber(child.historyText)) {
        reportHistoryNumberNotNumeric(m_messages);
        m_window.Text3()->clear();
        m_history.forgetNumber();
        return;
    }
    LimpiarGrafico(m_window);
    // The window shows the child's history as soon as it is read: its chart, its markers and its
    // birth date, locked.
    const HistoryLookup lookup = m_history.load(child, WaitCursor().whileWaiting());
    if (lookup.file == PatientFileFound::Unnamed) {
        report({lookup.failure->code,
                QStringLiteral("Argumento no válido: el número de historia clínica %1 no cabe en "
                               "las siete cifras del nombre del archivo del paciente.")
                    .arg(child.historyText.trimmed())});
    }
    if (lookup.file != PatientFileFound::Found) {
        if (lookup.file == PatientFileFound::None && lookup.failure) {
            report(*lookup.failure);
        }
        leaveBirthDateToType();
        return;
    }
    m_messages.show(QStringLiteral("Este paciente posee datos almacenados"),
                    MessageStyle::OkInformation, QStringLiteral("Información"));
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
    birthDate->clear();
    birthDate->setFocus();
}

void HistoryLoader::showStoredHistory(const std::optional<Failure>& failure)
{
    if (const std::optional<Failure> missing = m_history.birthDateNotRead()) {
        // Without a birth date no age can be worked out, so nothing is shown, and the empty box
        // shows that nothing was loaded. A file that could not be read at all is told once, by its
        // own failure.
        m_window.Text2()->clear();
        if (m_history.hasPatientFile() || !failure) {
            report(*missing);
        }
    } else {
        for (const Failure& notShown : m_history.weighingsNotShown()) {
            report(notShown);
        }
    }
    // Whatever was read before the file failed stays on the chart.
    if (failure) {
        report(*failure);
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

ChildKey childNamedByBoxes(const PerZelpo& window)
{
    return {window.Text3()->text(), window.varonSelected()};
}

} // namespace zelpo
