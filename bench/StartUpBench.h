#pragma once

#include <QList>
#include <QString>

// What one launch of a program cost: the wall time from starting its process to its window's
// first complete paint, and the most memory the process held by then.
struct LaunchCost
{
    double firstPaintMs;
    double peakMemoryMiB;
};

// The programs launched: Zelpo and its yardsticks, the minimal window and the window showing
// text, and an earlier release of Zelpo when one is measured beside it (empty otherwise).
struct StartUpPrograms
{
    QString zelpo;
    QString minimal;
    QString textWindow;
    QString earlier;
};

// Every launch of the programs at one screen scale, taken alternately so that a slow spell of the
// machine falls on all of them alike.
struct StartUpSamples
{
    QList<LaunchCost> zelpo;
    QList<LaunchCost> minimal;
    QList<LaunchCost> textWindow;
    QList<LaunchCost> earlier;
    QString problem; // why the runs stopped early; empty when all of them ran
};

// Launches each program `runs` times at the screen scale `screenScale` (QT_SCALE_FACTOR), after
// one launch each that is not counted, which fills the system's caches, waiting for the line the
// first-paint report writes, reading the process's peak resident memory once it has settled, then
// killing it.
StartUpSamples measureStartUp(const StartUpPrograms& programs, double screenScale, int runs);

// Launches Zelpo `runs` times at the screen scale `screenScale` while a spinning thread keeps each
// processor busy, as on a machine that is running something else: the first-paint times alone.
// Empty, with `problem` set, when a launch failed.
QList<double> measureBusyStartUp(const QString& zelpoProgram, double screenScale, int runs,
                                 QString& problem);
