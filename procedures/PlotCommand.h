#pragma once

#include <QDir>

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
    void storeWeighing();
    void plotWeighing();

    PerZelpo& m_window;
    MessageService& m_messages;
    const Clock& m_clock;
    QDir m_patientFolder;
};
