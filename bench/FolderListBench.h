#pragma once

#include <QString>

// The list of the folder's children ("Niños de la carpeta") over a folder the benchmark fills:
// `children` patient files of `weighings` weighings each, a tenth of them with a corrections
// file, shown beside the chart window while its event loop keeps ticking.
struct FolderListFigures
{
    double firstRowsMs = 0;      // from asking for the list until its first rows are in the table
    double wholeListMs = 0;      // until every child's row is in it
    double processorMs = 0;      // processor time of every thread meanwhile
    double memoryAddedMiB = 0;   // resident memory added, at its highest
    double longestTickGapMs = 0; // the longest the chart window's event loop went without a tick
    QString problem;             // why it could not be measured; empty when it was
};

FolderListFigures measureFolderList(int children, int weighings);
