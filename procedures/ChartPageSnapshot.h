#pragma once

#include "printout/ChartPage.h"

#include <QDate>

namespace zelpo {

class ChildHistory;
struct ChartLook;

// What the printed page shows: the open child's history, its weighings where the chart places
// them and, when the child has a history number, its stored weighings as a table, drawn in the
// chart window's look.
ChartPageContent chartPageSnapshot(const ChartLook& look, const ChildHistory& history, QDate today);

// Only the chart picture of the page, with the frame and the history's markers and arrow as the
// window shows them; nothing of the table.
ChartPageContent chartPictureSnapshot(const ChartLook& look, const ChildHistory& history);

} // namespace zelpo
