#pragma once

#include "artwork/ChartArtwork.h"

#include <memory>
#include <vector>

#include <QDir>

class PerZelpo;

// The folder of the program's executable, where the patient files live. Start-up finds it once
// and hands it to everything that reads or writes them.
QDir programFolder();

// What the chart window does when it loads: stand centred on the screen, then make the
// program's own directory the current one, as a program started from elsewhere expects. Nothing
// finds a patient file through the current directory.
void loadChartWindow(PerZelpo& window);

// Centres the chart window on the primary screen by its outer size, caption and border included.
void centreChartWindow(PerZelpo& window);

// Makes the directory of the program's executable the current directory (and, on Windows, its
// drive the current drive). Returns false when the system refuses.
bool makeProgramDirectoryCurrent();

// Starts drawing the charts the chart window shows when it opens, each on a thread of its own,
// at the pixel ratio of the screen the window opens on, for the window to find them ready when it
// first paints. Nothing is started without a screen.
std::vector<std::unique_ptr<zelpo::ChartDrawnAhead>> drawOpeningChartsAhead();

// Makes memory the program frees serve its later needs or go back to the system, instead of
// staying with the thread that freed it or being held for blocks of its size to come. Called
// first thing, before the threads that draw ahead start.
void keepFreedMemoryReusable();

// Gives the system back the memory freed while the windows were made, so that it is not counted
// as the program's while the rest of the first paint is drawn.
void returnFreedMemory();
