#pragma once

#include <QString>

namespace zelpo {

// What the print system says about a printer, asked directly: Qt's print engine hands a job to
// CUPS without looking at the answer, so a queue that rejects jobs or a print server that has
// gone would otherwise swallow the chart without a word. Where the program is built without
// CUPS, nothing is known and both say nothing.

// Why `printer`'s queue will not take a job now, in Spanish ("la impresora no acepta
// trabajos"); empty when it will.
QString printQueueRefusal(const QString& printer);

// Why the job just handed to the print system on this thread was not taken; empty when it was.
QString printJobRefusal();

} // namespace zelpo
