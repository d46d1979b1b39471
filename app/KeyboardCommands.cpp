#include "app/KeyboardCommands.h"

#include "app/ChartWindowEvents.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"

#include <QShortcut>

void connectKeyboardCommands(PerZelpo& window, ChartWindowEvents& events)
{
    // The weight is the last entry before plotting: the box answers both Enter keys.
    QObject::connect(window.Text1(), &QLineEdit::returnPressed, &events,
                     &ChartWindowEvents::Command1_Click);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    QObject::connect(help, &QShortcut::activated, &events, &ChartWindowEvents::Command2_Click);
}
