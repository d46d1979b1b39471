#pragma once

class PerZelpo;

// What the chart window does when it loads: stand centred on the screen, then make the
// program's own directory the current one, where the patient files live.
void loadChartWindow(PerZelpo& window);

// Centres the chart window on the primary screen by its outer size, caption and border included.
void centreChartWindow(PerZelpo& window);

// Makes the directory of the program's executable the current directory (and, on Windows, its
// drive the current drive). Returns false when the system refuses.
bool makeProgramDirectoryCurrent();
