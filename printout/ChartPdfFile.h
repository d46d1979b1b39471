#pragma once

#include "core/Failure.h"
#include "records/OutputFile.h"

#include <QPageSize>

class QIODevice;
class QPagedPaintDevice;
class QString;

namespace zelpo {

struct ChartPageContent;

// Puts a printer or a PDF writer on the chart page's paper: A4 unless a printer dialog chose
// another paper, portrait, with the page's margins.
void setUpChartPaper(QPagedPaintDevice& device, bool keepPaperSize);

// Writes the chart page as a PDF of as many sheets as it needs on the paper to the device. False
// when the device would not take it.
bool writeChartPdf(QIODevice& device, const ChartPageContent& content,
                   const QPageSize& paper = QPageSize(QPageSize::A4));

// Writes the chart page as a PDF to `path`: into a temporary file beside it, renamed into place
// once whole, never over a patient file. On failure (a full disk included) nothing is left
// behind, an existing file at `path` stays as it was, and the failure says why.
zelpo::MaybeFailure saveChartPdf(const QString& path, const ChartPageContent& content,
                                 const QPageSize& paper = QPageSize(QPageSize::A4),
                                 const OutputDraft& draft = {});

} // namespace zelpo
