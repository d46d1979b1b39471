#pragma once

#include <QDir>

namespace zelpo {

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

} // namespace zelpo
