#pragma once

// The chart window of a girl with a stored history, its menu sending the chart out through
// scripted dialogs, for the tests of the menu, the shortcuts and printing through CUPS.

#include "app/ChartMenu.h"
#include "app/ChartWindowEvents.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryLoader.h"
#include "support/FixedClock.h"
#include "support/GirlsHistory.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedOutputDialogs.h"
#include "support/ScriptedTextPrompt.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

// Born on 14/02/2021, history 4711, with a weighing of 12000 g plotted today and not stored.
struct PrintableWindow
{
    QTemporaryDir folder;
    zelpo::PerZelpo window;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2023, 6, 1)};
    RecordingAddressOpener addresses;
    ScriptedOutputDialogs dialogs;
    ScriptedTextPrompt prompt;
    zelpo::ChildHistory history{folder.path(), zelpo::childNamedByBoxes(window)};
    zelpo::ChartView view;
    zelpo::ChartWindowEvents events{window, {messages, clock, addresses, history, view}, [] {}};
    zelpo::ChartMenu menu{
        window,
        {messages, clock, dialogs, history, [this] { return events.loadTypedHistory(); }, view},
        prompt};
    zelpo::OutputRunner& outputs = menu.outputs();

    PrintableWindow()
    {
        QDir::setCurrent(folder.path());
        qputenv("HOME", folder.filePath(QStringLiteral("home")).toUtf8());
        writeBytes("0004711M.CRV", girlsPatientFile());
        window.show();
        window.Text3()->setText("4711");
        window.Option1(1)->click();
        // Plotted, not stored: on the chart only, with the arrow.
        window.Text1()->setText("12000");
        messages.answerNext(zelpo::MessageAnswer::No);
        events.Command1_Click();
    }
};
