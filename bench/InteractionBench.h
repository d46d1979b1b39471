#pragma once

#include "app/ChartWindowEvents.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "support/FixedClock.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"

#include <memory>

#include <QList>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

namespace zelpo {
class PerZelpo;
}

// The chart window on the screen, driven through its own handlers with every message box
// answered at once. Each step is timed from the handler's start until the repaint it causes has
// been painted and put on the screen.
class InteractionBench
{
public:
    // Shows the window in a folder of its own that holds a boy's stored history of
    // kHistoryWeighings weighings.
    InteractionBench();
    ~InteractionBench();

    static constexpr int kHistoryWeighings = 107;

    // Why the last step did not do what it should; empty while all is well. A step that fails
    // ends its series early.
    QString problem() const { return m_problem; }

    // Milliseconds per run.
    QList<double> timeHistoryLoads(int runs);
    QList<double> timePlotsAnsweredNo(int runs);
    // Pointer moves over the empty chart, and over the chart with the stored history's markers.
    QList<double> timePointerMoves(int runs);
    QList<double> timePointerMovesOverMarkers(int runs);
    // Storing one weighing into a copy of the stored history: the file read back, then appended.
    QList<double> timeStoresIntoHistory(int runs);
    // What the lock adds to one store: taking the history file's exclusive lock and releasing
    // it as the file is closed, less the close of an unlocked file.
    QList<double> timeLocksAroundStores(int runs);
    // The printed page of the loaded history, from the window to a whole PDF in memory.
    QList<double> timeChartPages(int runs);
    // The same for the largest history the loader reads back, every weighing in the table.
    QList<double> timeLargestChartPages(int runs);
    int largestHistoryWeighings() const { return m_largestHistoryWeighings; }
    // Microseconds per stored weighing read against the one before it: its band and its gain.
    QList<double> timeWeighingReadings(int runs);
    // The stored history exported for spreadsheets, from the patient file to the whole file.
    QList<double> timeWeighingsCsvs(int runs);
    // Microseconds per weighing asked whether it looks mistyped, against the chart and the
    // weighing before it.
    QList<double> timePlausibilityChecks(int runs);
    // Loading a copy of the stored history with 20 of its weighings struck out, with the repaint.
    QList<double> timeHistoryLoadsWithCorrections(int runs);
    // The table of the 107 stored weighings opened in its dialog, until it is painted.
    QList<double> timeStoredWeighingsDialogs(int runs);

    // What the chart window does with one child's history: loading it with the repaint,
    // "Graficar" answered No onto it, and a pointer move over its markers.
    struct ChildSteps
    {
        QList<double> loads;
        QList<double> plots;
        QList<double> moves;
    };
    // For the boy of the stored history, born at term, and for a copy of him recorded as born
    // at 30+2, whose first three weighings fall before his due date.
    ChildSteps timeChildBornAtTerm(int runs);
    ChildSteps timeChildBornEarly(int runs);

    // Switching the chart between the whole chart and the first two years, with the repaint,
    // over the stored history: the first switch, which draws the two-year chart, every later one,
    // which copies the pictures already drawn, and pointer moves over the first two years.
    struct ViewSwitches
    {
        QList<double> first;
        QList<double> later;
        QList<double> moves;
    };
    ViewSwitches timeViewSwitches(int runs);

    struct RepaintedArea
    {
        qint64 largestPainted = 0; // pixels, of the move that repainted most
        qint64 allowedForIt = 0;   // the two lines' old and new strips and the status strip
        bool allWithinAllowance = true;
    };
    RepaintedArea measurePointerMoveArea(int moves);

private:
    void storeHistory();
    // The printed page of the history loaded, from the window to a whole PDF in memory.
    QList<double> timePagesOfLoadedHistory(int runs, int weighings);
    void chooseTheBoy();
    void clearChart();
    // The chart cleared, with the stored history loaded again when asked, and no text cursor.
    void prepareForPointer(bool withHistory = false);
    ChildSteps timeChildSteps(const QString& number, int shownMarkers, int runs);
    QList<double> timeMovesAsPrepared(int runs);
    void loadHistory();
    void plotWeighing();
    void movePointer();
    void switchView();
    int visibleMarkers() const;
    QString shownTexts() const;
    void fail(const QString& problem);

    QTemporaryDir m_folder;
    QString m_previousFolder;
    ScriptedMessageService m_messages;
    FixedClock m_clock;
    RecordingAddressOpener m_addresses;
    std::unique_ptr<zelpo::PerZelpo> m_window;
    std::unique_ptr<zelpo::ChildHistory> m_history;
    zelpo::ChartView m_view;
    zelpo::ChartWindowEvents* m_events = nullptr; // owned by the window
    bool m_pointerAtFirstPoint = false;
    int m_largestHistoryWeighings = 0;
    QString m_problem;
};
