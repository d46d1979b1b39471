#pragma once

#include "printout/ChartPage.h"

#include <QDate>

namespace zelpo {

class ChildHistory;
struct ChartLook;

// What the printed page shows: the open child's history, its weighings where the chart places
// them in the view spanning `spans`, the view named in the title, and, when the child has a
// history number, its stored weighings as a table, drawn in the chart window's look.
ChartPageContent chartPageSnapshot(const ChartLook& look, const ChildHistory& history, QDate today,
                                   ChartSpans spans = wholeChart);

// Only the chart picture of the page in the view spanning `spans`, with the frame and the
// history's markers and arrow as the window shows them; nothing of the table.
ChartPageContent chartPictureSnapshot(const ChartLook& look, const ChildHistory& history,
                                      ChartSpans spans = wholeChart);

} // namespace zelpo
