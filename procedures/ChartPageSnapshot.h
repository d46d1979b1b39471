#pragma once

#include "printout/ChartPage.h"

#include <QDate>
#include <QString>

class PerZelpo;
class QDir;

// What the printed page shows, taken from the chart window as it stands and, when the history
// number names a patient file in `patientFolder`, from that file, which is only read.
ChartPageContent chartPageSnapshot(const PerZelpo& window, QDate today, const QDir& patientFolder);

// Only the chart picture of the page, with its frame, markers and arrow, as the window shows it;
// no patient file is read.
ChartPageContent chartPictureSnapshot(const PerZelpo& window);

// The patient file's name the chart window's history number and sex give, e.g. 0004711M.CRV;
// empty when the box holds no history number (empty, 0, or not one that names a file).
QString namedPatientFile(const PerZelpo& window);
