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

// Every launch of the programs, taken alternately so that a slow spell of the machine falls on
// all of them alike.
struct StartUpSamples
{
    QList<LaunchCost> zelpo;
    QList<LaunchCost> minimal;
    QList<LaunchCost> earlier; // an earlier release of Zelpo, when one is measured beside it
    QString problem;           // why the runs stopped early; empty when all of them ran
};

// Launches each program `runs` times (after one launch each that is not counted, which fills
// the system's caches), waiting for the line the first-paint report writes, reading the
// process's peak resident memory once it has settled, then killing it. An empty
// `earlierProgram` is left out.
StartUpSamples measureStartUp(const QString& zelpoProgram, const QString& minimalProgram,
                              const QString& earlierProgram, int runs);

// Launches Zelpo `runs` times while a spinning thread keeps each processor busy, as on a machine
// that is running something else: the first-paint times alone. Empty, with `problem` set, when a
// launch failed.
QList<double> measureBusyStartUp(const QString& zelpoProgram, int runs, QString& problem);
