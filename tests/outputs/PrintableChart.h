#pragma once

// The chart window of a girl with a stored history, looked up and plotted through the procedures
// the window's wiring runs, sending the chart out through scripted dialogs.

#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "outputs/OutputRunner.h"
#include "procedures/HistoryLoader.h"
#include "procedures/HistoryOnChart.h"
#include "procedures/PlotCommand.h"
#include "support/FixedClock.h"
#include "support/GirlsHistory.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedOutputDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

// Born on 14/02/2021, history 4711, with a weighing of 12000 g plotted today and not stored.
struct PrintableChart
{
    QTemporaryDir folder;
    zelpo::PerZelpo window;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2023, 6, 1)};
    ScriptedOutputDialogs dialogs;
    zelpo::ChildHistory history{folder.path(), {"0", true}};
    zelpo::HistoryOnChart chart{window, history};
    zelpo::PlotCommand plot{window, history, messages, clock};
    zelpo::OutputRunner outputs{window, &window, {messages, clock, dialogs, history, [this] {
                                                      return lookUpTypedHistory();
                                                  }}};

    PrintableChart()
    {
        QDir::setCurrent(folder.path());
        qputenv("HOME", folder.filePath(QStringLiteral("home")).toUtf8());
        writeBytes("0004711M.CRV", girlsPatientFile());
        window.show();
        window.Text3()->setText("4711");
        window.Option1(1)->setChecked(true);
        lookUpTypedHistory();
        // Plotted, not stored: on the chart only, with the arrow.
        window.Text1()->setText("12000");
        messages.answerNext(zelpo::MessageAnswer::No);
        plot.Command1_Click();
    }
    // As the window's wiring does before an output.
    bool lookUpTypedHistory()
    {
        if (history.isLookedUp(window.Text3()->text()) &&
            history.key().varon == window.varonSelected())
            return false;
        zelpo::CargarHistoria(window, history, messages);
        return true;
    }
};
