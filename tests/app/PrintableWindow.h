#pragma once

// The chart window of a girl with a stored history, sending the chart out through scripted
// dialogs, for the tests of printing and saving.

#include "ScriptedOutputDialogs.h"
#include "app/ChartOutputs.h"
#include "app/ChartWindowEvents.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "records/PatientFile.h"
#include "support/FixedClock.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedTextPrompt.h"

#include <QProcess>
#include <QTemporaryDir>

// A girl born on 14/02/2021: (date, age in days, whole months, grams, band, gain a day) of each
// stored weighing.
inline const QStringList storedRows[] = {{"03/03/2021", "17", "0", "3950", "P50–P97", "—"},
                                         {"16/03/2021", "30", "0", "6000", "> P97", "+158"},
                                         {"16/04/2021", "61", "2", "8000", "> P97", "+65"},
                                         {"14/02/2022", "365", "12", "9800", "P50–P75", "+6"}};

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
    zelpo::ChildHistory history{folder.path(), {"0", false}};
    zelpo::ChartWindowEvents events{window, {messages, clock, addresses, history}, [] {}};
    zelpo::ChartOutputs printing{window, {messages, clock, dialogs, prompt, history, [this] {
                                              return events.loadTypedHistory();
                                          }}};

    PrintableWindow()
    {
        QDir::setCurrent(folder.path());
        qputenv("HOME", folder.filePath(QStringLiteral("home")).toUtf8());
        for (const QStringList& row : storedRows) {
            zelpo::GuardarMedida("0004711M.CRV", QDate(2021, 2, 14), row[3].toDouble(),
                                 QDate::fromString(row[0], "dd/MM/yyyy"), QDir::current());
        }
        window.show();
        window.Text3()->setText("4711");
        window.Option1(1)->click();
        // Plotted, not stored: on the chart only, with the arrow.
        window.Text1()->setText("12000");
        messages.answerNext(zelpo::MessageAnswer::No);
        events.Command1_Click();
    }
};

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
