#pragma once

#include "printout/ChartPage.h"

#include <QDate>
#include <QString>

namespace zelpo {

class PerZelpo;
class ChildHistory;

// What the printed page shows, taken from the chart window as it stands and, when the open
// child has a history number, from its history.
ChartPageContent chartPageSnapshot(const PerZelpo& window, const zelpo::ChildHistory& history,
                                   QDate today);

// Only the chart picture of the page, with its frame, markers and arrow, as the window shows it;
// no patient file is read.
ChartPageContent chartPictureSnapshot(const PerZelpo& window);

} // namespace zelpo
