#pragma once

#include <QDate>
#include <QtGlobal>

namespace zelpo {

class Clock;
class MessageService;
class PerZelpo;
class ChildHistory;

// "Graficar" and the weight check of the chart window: a typed weighing is checked, stored in
// the open child's history when the user agrees, and plotted with the history, which the chart
// shows on its next free marker.
class PlotCommand
{
public:
    PlotCommand(PerZelpo& window, ChildHistory& history, MessageService& messages,
                const Clock& clock);

    // Checks the birth date and the weight, questions a weighing that looks mistyped, asks
    // whether to store it, and plots it.
    void Command1_Click();
    // Refuses at once a numeric weight the chart cannot show; anything else waits for "Graficar".
    void Text1_LostFocus();

private:
    void refuseWeight();
    // Asks before going on with a weighing far off the chart's curves or far from the last one
    // stored; true when it is plausible or the user says it is right.
    bool confirmedIfImplausible(QDate birthDate);
    // The birth date the weighing's age counts from: the stored one in force, or the one typed
    // for a child with no patient file.
    QDate birthDateInForce() const;
    // Once a weighing is stored, tells what there is to review in it, if anything.
    void tellWhatToReview(qsizetype record);
    // Files the weighing, which plots it; false when it could not be filed.
    bool storeWeighing(QDate birthDate, double grams, QDate today);

    PerZelpo& m_window;
    ChildHistory& m_history;
    MessageService& m_messages;
    const Clock& m_clock;
};

} // namespace zelpo
