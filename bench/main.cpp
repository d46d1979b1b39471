// Zelpo's benchmark: start-up and peak memory against a minimal Qt Widgets program and against a
// window showing text, at several screen scales, and the time the chart window takes to load a
// history, plot a weighing and follow the pointer, and to read a stored weighing and build a
// history's spreadsheet text. Every figure is a median, printed beside its goal.
#include "bench/BenchTable.h"
#include "bench/FolderListBench.h"
#include "bench/InteractionBench.h"
#include "bench/StartUpBench.h"
#include "forms/Fonts.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>

namespace {

constexpr double kStartUpRatioGoal = 1.7;
constexpr double kMemoryRatioGoal = 1.3;
// Against the window showing text, the floor of any program that shows text: its start-up at the
// screen scales most desks run at, and its memory at every scale.
constexpr double kTextWindowStartUpRatioGoal = 1.3;
constexpr double kTextWindowMemoryRatioGoal = 1.15;

std::optional<double> textWindowStartUpGoal(double screenScale)
{
    if (screenScale == 1 || screenScale == 1.5) {
        return kTextWindowStartUpRatioGoal;
    }
    return std::nullopt;
}
// A machine busy with something else must still bring the chart up without a wait a user notices.
constexpr double kBusyStartUpGoalMs = 1000.0;
constexpr double kHistoryLoadGoalMs = 5.0;
constexpr double kPlotGoalMs = 1.0;
constexpr double kPointerMoveGoalMs = 0.1;
constexpr double kStoreGoalMs = 1.0;
constexpr double kLockGoalMs = 0.1;
constexpr double kChartPageGoalMs = 100.0;
// The largest history fills some two hundred sheets: a wait under the wait cursor, not a hang.
constexpr double kLargestChartPageGoalMs = 5000.0;
// Every marker's tooltip and every row of the page and the spreadsheet reads its weighing.
constexpr double kWeighingReadingGoalUs = 5.0;
constexpr double kWeighingsCsvGoalMs = 20.0;
// Every "Graficar" asks it before the store question.
constexpr double kPlausibilityGoalUs = 5.0;
constexpr double kDialogGoalMs = 50.0;
// The list of the folder's children, over a practice's folder of 10,000 children.
constexpr int kFolderChildren = 10000;
constexpr int kFolderWeighings = 40;
constexpr double kFolderFirstRowsGoalMs = 100.0;
constexpr double kFolderWholeListGoalMs = 2000.0;
constexpr double kFolderMemoryGoalMiB = 64.0;
constexpr double kFolderTickGapGoalMs = 50.0;
// The first two years are drawn the first time they are shown; after that a switch copies them.
constexpr double kFirstViewSwitchGoalMs = 50.0;
constexpr double kViewSwitchGoalMs = 5.0;

enum ExitStatus { AllGoalsMet = 0, GoalMissed = 1, NotMeasured = 2 };

void print(const QString& text)
{
    std::fputs(qPrintable(text), stdout);
    std::fflush(stdout);
}

QList<double> pick(const QList<LaunchCost>& costs, double LaunchCost::*field)
{
    QList<double> values;
    for (const LaunchCost& cost : costs) {
        values.append(cost.*field);
    }
    return values;
}

// A program's median against its yardstick's; a ratio without a goal is only reported.
BenchRow ratioRow(const QString& figure, const QList<LaunchCost>& program,
                  const QList<LaunchCost>& yardstick, double LaunchCost::*field,
                  const QString& unit, std::optional<double> goal)
{
    const double measured = median(pick(program, field));
    const double against = median(pick(yardstick, field));
    const double ratio = measured / against;
    return {figure,
            QStringLiteral("%1 (%2 %4 against %3 %4)")
                .arg(ratio, 0, 'f', 2)
                .arg(measured, 0, 'f', 1)
                .arg(against, 0, 'f', 1)
                .arg(unit),
            goal ? QStringLiteral("≤ %1").arg(*goal) : QStringLiteral("—"),
            !goal || ratio <= *goal};
}

using ScaledStartUps = QList<std::pair<double, StartUpSamples>>;

// A program's start-up and peak memory against the window showing text's, at each screen scale.
QList<BenchRow> textWindowRows(const QString& name, const ScaledStartUps& startUps,
                               QList<LaunchCost> StartUpSamples::*program)
{
    QList<BenchRow> rows;
    for (const auto& [screenScale, samples] : startUps) {
        const QString against = QStringLiteral("at screen scale %1, %2 / window showing text")
                                    .arg(screenScale)
                                    .arg(name);
        rows += {ratioRow(QStringLiteral("Start-up ") + against, samples.*program,
                          samples.textWindow, &LaunchCost::firstPaintMs, QStringLiteral("ms"),
                          textWindowStartUpGoal(screenScale)),
                 ratioRow(QStringLiteral("Peak memory ") + against, samples.*program,
                          samples.textWindow, &LaunchCost::peakMemoryMiB, QStringLiteral("MiB"),
                          kTextWindowMemoryRatioGoal)};
    }
    return rows;
}

BenchRow timeRow(const QString& figure, const QList<double>& times, double goalMs)
{
    const double ms = median(times);
    // Four decimals for what takes microseconds, such as a lock.
    const int decimals = ms < 0.01 ? 4 : (ms < 1 ? 3 : 2);
    return {figure, QStringLiteral("%1 ms (%2 runs)").arg(ms, 0, 'f', decimals).arg(times.size()),
            QStringLiteral("< %1 ms").arg(goalMs), ms < goalMs};
}

// A figure of a baby born early beside the same of a child born at term: reading the ages
// corrected costs no more than a tenth.
BenchRow besideRow(const QString& figure, const QList<double>& early, const QList<double>& atTerm)
{
    const double ms = median(early);
    const double termMs = median(atTerm);
    return {figure, QStringLiteral("%1 ms (%2 runs)").arg(ms, 0, 'f', 3).arg(early.size()),
            QStringLiteral("≤ %1 ms, a tenth over %2 ms at term")
                .arg(termMs * 1.1, 0, 'f', 3)
                .arg(termMs, 0, 'f', 3),
            ms <= termMs * 1.1};
}

BenchRow microsecondsRow(const QString& figure, const QList<double>& times, double goalUs)
{
    const double us = median(times);
    return {figure,
            QStringLiteral("%1 µs (%2 runs)").arg(us, 0, 'f', us < 1 ? 3 : 2).arg(times.size()),
            QStringLiteral("< %1 µs").arg(goalUs), us < goalUs};
}

// The list of the folder's children, read `runs` times: the medians of each figure.
QList<BenchRow> folderListRows(int runs, QString& problem)
{
    QList<FolderListFigures> measured;
    for (int run = 0; run < runs && problem.isEmpty(); ++run) {
        measured.append(measureFolderList(kFolderChildren, kFolderWeighings));
        problem = measured.last().problem;
    }
    const auto of = [&measured](double FolderListFigures::*figure) {
        QList<double> values;
        for (const FolderListFigures& figures : measured) {
            values.append(figures.*figure);
        }
        return median(values);
    };
    const QString list = QStringLiteral("The list of the folder's children (%1 of %2 weighings, "
                                        "a tenth corrected)")
                             .arg(kFolderChildren)
                             .arg(kFolderWeighings);
    const double whole = of(&FolderListFigures::wholeListMs);
    return {
        {list + QStringLiteral(": its first rows shown"),
         QStringLiteral("%1 ms").arg(of(&FolderListFigures::firstRowsMs), 0, 'f', 1),
         QStringLiteral("< %1 ms").arg(kFolderFirstRowsGoalMs),
         of(&FolderListFigures::firstRowsMs) < kFolderFirstRowsGoalMs},
        {list + QStringLiteral(": every row shown, and the processor time of all threads"),
         QStringLiteral("%1 ms, %2 ms of processor time")
             .arg(whole, 0, 'f', 0)
             .arg(of(&FolderListFigures::processorMs), 0, 'f', 0),
         QStringLiteral("≤ %1 ms on two cores").arg(kFolderWholeListGoalMs),
         whole <= kFolderWholeListGoalMs},
        {list + QStringLiteral(": resident memory added"),
         QStringLiteral("%1 MiB").arg(of(&FolderListFigures::memoryAddedMiB), 0, 'f', 1),
         QStringLiteral("≤ %1 MiB").arg(kFolderMemoryGoalMiB),
         of(&FolderListFigures::memoryAddedMiB) <= kFolderMemoryGoalMiB},
        {list + QStringLiteral(": the chart window's longest wait between two ticks meanwhile"),
         QStringLiteral("%1 ms").arg(of(&FolderListFigures::longestTickGapMs), 0, 'f', 1),
         QStringLiteral("≤ %1 ms").arg(kFolderTickGapGoalMs),
         of(&FolderListFigures::longestTickGapMs) <= kFolderTickGapGoalMs},
    };
}

QString displayDescription()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        return QStringLiteral("X server %1").arg(qEnvironmentVariable("DISPLAY"));
    }
    return QStringLiteral("Qt platform \"%1\"").arg(platform);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The chart window measured here writes in the font the program sets at its start.
    zelpo::setApplicationFont();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times Zelpo against its goals and prints the medians as a table."));
    parser.addHelpOption();
    const QCommandLineOption zelpoOption(QStringLiteral("zelpo"), QStringLiteral("Zelpo program."),
                                         QStringLiteral("path"),
                                         QStringLiteral(ZELPO_BENCH_ZELPO_PROGRAM));
    const QCommandLineOption minimalOption(
        QStringLiteral("minimal"), QStringLiteral("Minimal Qt Widgets program."),
        QStringLiteral("path"), QStringLiteral(ZELPO_BENCH_MINIMAL_PROGRAM));
    const QCommandLineOption textWindowOption(
        QStringLiteral("text-window"),
        QStringLiteral("Qt Widgets program showing one label and one line edit."),
        QStringLiteral("path"), QStringLiteral(ZELPO_BENCH_TEXT_WINDOW_PROGRAM));
    const QCommandLineOption screenScalesOption(
        QStringLiteral("screen-scales"),
        QStringLiteral("Screen scales the programs are launched at, separated by commas; the "
                       "first also for the start-up on a busy machine."),
        QStringLiteral("factors"), QStringLiteral("1,1.25,1.5,2"));
    const QCommandLineOption launchesOption(QStringLiteral("launches"),
                                            QStringLiteral("Launches of each program."),
                                            QStringLiteral("count"), QStringLiteral("15"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"), QStringLiteral("Multiplies the runs of the in-window steps."),
        QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption earlierOption(
        QStringLiteral("earlier"),
        QStringLiteral("An earlier release of Zelpo, whose start-up is measured beside it."),
        QStringLiteral("path"));
    parser.addOptions({zelpoOption, minimalOption, textWindowOption, screenScalesOption,
                       launchesOption, scaleOption, earlierOption});
    parser.process(application);
    const int launches = qMax(1, parser.value(launchesOption).toInt());
    const int scale = qMax(1, parser.value(scaleOption).toInt());
    QList<double> screenScales;
    for (const QString& factor : parser.value(screenScalesOption).split(QLatin1Char(','))) {
        if (const double screenScale = factor.toDouble(); screenScale > 0) {
            screenScales.append(screenScale);
        }
    }
    if (screenScales.isEmpty()) {
        print(QStringLiteral("No screen scale to launch the programs at\n"));
        return NotMeasured;
    }

    print(QStringLiteral("Measured on %1; start-up and memory over %2 launches of each program, "
                         "taken alternately, at each screen scale.\n\n")
              .arg(displayDescription())
              .arg(launches));

    const StartUpPrograms programs{parser.value(zelpoOption), parser.value(minimalOption),
                                   parser.value(textWindowOption), parser.value(earlierOption)};
    ScaledStartUps startUps;
    for (const double screenScale : screenScales) {
        startUps.append({screenScale, measureStartUp(programs, screenScale, launches)});
        if (const QString& problem = startUps.last().second.problem; !problem.isEmpty()) {
            print(QStringLiteral("Start-up could not be measured: %1\n").arg(problem));
            return NotMeasured;
        }
    }
    const StartUpSamples& startUp = startUps.first().second;

    QString busyProblem;
    const QList<double> busyStartUps =
        measureBusyStartUp(programs.zelpo, screenScales.first(), launches, busyProblem);
    if (!busyProblem.isEmpty()) {
        print(QStringLiteral("Start-up on a busy machine could not be measured: %1\n")
                  .arg(busyProblem));
        return NotMeasured;
    }

    InteractionBench bench;
    const QList<double> loads = bench.timeHistoryLoads(200 * scale);
    const QList<double> plots = bench.timePlotsAnsweredNo(1000 * scale);
    const QList<double> moves = bench.timePointerMoves(5000 * scale);
    const QList<double> movesOverMarkers = bench.timePointerMovesOverMarkers(5000 * scale);
    const QList<double> stores = bench.timeStoresIntoHistory(1000 * scale);
    const QList<double> locks = bench.timeLocksAroundStores(1000 * scale);
    const InteractionBench::RepaintedArea area = bench.measurePointerMoveArea(50);
    const QList<double> pages = bench.timeChartPages(20 * scale);
    const QList<double> largestPages = bench.timeLargestChartPages(3 * scale);
    const QList<double> readings = bench.timeWeighingReadings(2000 * scale);
    const QList<double> csvs = bench.timeWeighingsCsvs(200 * scale);
    const QList<double> doubts = bench.timePlausibilityChecks(2000 * scale);
    const QList<double> correctedLoads = bench.timeHistoryLoadsWithCorrections(200 * scale);
    const QList<double> dialogs = bench.timeStoredWeighingsDialogs(20 * scale);
    const InteractionBench::ChildSteps atTerm = bench.timeChildBornAtTerm(200 * scale);
    const InteractionBench::ChildSteps early = bench.timeChildBornEarly(200 * scale);
    const InteractionBench::ViewSwitches views = bench.timeViewSwitches(200 * scale);
    if (!bench.problem().isEmpty()) {
        print(QStringLiteral("The chart window could not be measured: %1\n").arg(bench.problem()));
        return NotMeasured;
    }
    QString folderListProblem;
    const QList<BenchRow> folderList = folderListRows(3, folderListProblem);
    if (!folderListProblem.isEmpty()) {
        print(QStringLiteral("The list of the folder's children could not be measured: %1\n")
                  .arg(folderListProblem));
        return NotMeasured;
    }

    QList<BenchRow> rows = {
        ratioRow(QStringLiteral("Start-up to the chart window's first complete paint, Zelpo / "
                                "minimal program"),
                 startUp.zelpo, startUp.minimal, &LaunchCost::firstPaintMs, QStringLiteral("ms"),
                 kStartUpRatioGoal),
        ratioRow(QStringLiteral("Peak memory (VmHWM), Zelpo / minimal program"), startUp.zelpo,
                 startUp.minimal, &LaunchCost::peakMemoryMiB, QStringLiteral("MiB"),
                 kMemoryRatioGoal),
    };
    rows += textWindowRows(QStringLiteral("Zelpo"), startUps, &StartUpSamples::zelpo);
    rows += {
        timeRow(QStringLiteral("Start-up to the first complete paint with every processor kept "
                               "busy"),
                busyStartUps, kBusyStartUpGoalMs),
        timeRow(QStringLiteral("Loading a stored history of 107 weighings, with the repaint"),
                loads, kHistoryLoadGoalMs),
        timeRow(QStringLiteral("\"Graficar\" of one weighing answered No, with the repaint"), plots,
                kPlotGoalMs),
        timeRow(QStringLiteral("One pointer move over the chart, readout and cross-hair "
                               "repainted"),
                moves, kPointerMoveGoalMs),
        timeRow(QStringLiteral("One pointer move with 107 markers shown, readout and cross-hair "
                               "repainted"),
                movesOverMarkers, kPointerMoveGoalMs),
        timeRow(QStringLiteral("Storing one weighing into a history of 107 (read back first)"),
                stores, kStoreGoalMs),
        timeRow(QStringLiteral("Taking and releasing the patient file's lock around one store"),
                locks, kLockGoalMs),
        {QStringLiteral("Area repainted by one pointer move (largest of 50)"),
         QStringLiteral("%1 px² of %2 px² allowed").arg(area.largestPainted).arg(area.allowedForIt),
         QStringLiteral("within the two lines and the status strip"), area.allWithinAllowance},
        timeRow(QStringLiteral("The printed page of 107 weighings, from the window to a whole PDF"),
                pages, kChartPageGoalMs),
        timeRow(QStringLiteral("The printed page of the largest history (%1 weighings), from the "
                               "window to a whole PDF")
                    .arg(bench.largestHistoryWeighings()),
                largestPages, kLargestChartPageGoalMs),
        microsecondsRow(QStringLiteral("Reading one stored weighing: its percentile band and its "
                                       "daily gain"),
                        readings, kWeighingReadingGoalUs),
        timeRow(QStringLiteral("Exporting 107 weighings for spreadsheets, from the patient file "
                               "to the whole file on disk"),
                csvs, kWeighingsCsvGoalMs),
        microsecondsRow(QStringLiteral("Asking whether one weighing looks mistyped, against the "
                                       "chart and the weighing before it"),
                        doubts, kPlausibilityGoalUs),
        timeRow(QStringLiteral("Loading a stored history of 107 weighings with 20 struck out, "
                               "with the repaint"),
                correctedLoads, kHistoryLoadGoalMs),
        timeRow(QStringLiteral("Opening the table of 107 stored weighings, until it is painted"),
                dialogs, kDialogGoalMs),
        besideRow(QStringLiteral("A baby born at 30+2: loading the 107 weighings, with the "
                                 "repaint"),
                  early.loads, atTerm.loads),
        besideRow(QStringLiteral("A baby born at 30+2: \"Graficar\" answered No onto them"),
                  early.plots, atTerm.plots),
        besideRow(QStringLiteral("A baby born at 30+2: one pointer move over them"), early.moves,
                  atTerm.moves),
        timeRow(QStringLiteral("Switching to the first two years the first time, their chart "
                               "drawn, with the repaint"),
                views.first, kFirstViewSwitchGoalMs),
        timeRow(QStringLiteral("Switching between the whole chart and the first two years after "
                               "that, with the repaint"),
                views.later, kViewSwitchGoalMs),
        besideRow(QStringLiteral("One pointer move over the first two years, beside one over the "
                                 "whole chart's 107 markers"),
                  views.moves, movesOverMarkers),
    };
    rows += folderList;
    const bool allMet =
        std::all_of(rows.begin(), rows.end(), [](const BenchRow& row) { return row.met; });
    if (!startUp.earlier.isEmpty()) {
        // The same figures of the earlier release, measured in the same launches, for comparison:
        // its goals are not this release's to meet.
        rows += {ratioRow(QStringLiteral("Earlier release: start-up, earlier / minimal program"),
                          startUp.earlier, startUp.minimal, &LaunchCost::firstPaintMs,
                          QStringLiteral("ms"), kStartUpRatioGoal),
                 ratioRow(QStringLiteral("Earlier release: peak memory, earlier / minimal program"),
                          startUp.earlier, startUp.minimal, &LaunchCost::peakMemoryMiB,
                          QStringLiteral("MiB"), kMemoryRatioGoal)};
        rows +=
            textWindowRows(QStringLiteral("earlier release"), startUps, &StartUpSamples::earlier);
    }
    print(markdownTable(rows));

    return allMet ? AllGoalsMet : GoalMissed;
}
