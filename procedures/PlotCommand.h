#pragma once

#include "records/StoredWeighings.h"

#include <QDate>
#include <QDir>
#include <QList>

class Clock;
class MessageService;
class PerZelpo;

// "Graficar" and the weight check of the chart window: a typed weighing is checked, stored in
// the child's patient file in `patientFolder` when the user agrees, and plotted on the next free
// marker.
class PlotCommand
{
public:
    PlotCommand(PerZelpo& window, MessageService& messages, const Clock& clock,
                const QDir& patientFolder);

    // Checks the birth date and the weight, asks whether to store the weighing, and plots it.
    void Command1_Click();
    // Refuses at once a numeric weight the chart cannot show; anything else waits for "Graficar".
    void Text1_LostFocus();

private:
    void refuseWeight();
    // True when the weighing was filed.
    bool storeWeighing();
    void plotWeighing(bool stored);
    zelpo::StoredWeighing plottedWeighing(bool stored, QDate birthDate, double grams) const;
    // The weighings stored for the child whose history number the box holds, if any.
    QList<zelpo::StoredWeighing> storedWeighings() const;

    PerZelpo& m_window;
    MessageService& m_messages;
    const Clock& m_clock;
    QDir m_patientFolder;
};
