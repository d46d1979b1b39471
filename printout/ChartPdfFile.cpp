#include "printout/ChartPdfFile.h"

#include "printout/ChartPage.h"
#include "records/OutputFile.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace zelpo {

namespace {

constexpr double kMarginMillimetres = 12;

} // namespace

void setUpChartPaper(QPagedPaintDevice& device, bool keepPaperSize)
{
    if (!keepPaperSize) {
        device.setPageSize(QPageSize(QPageSize::A4));
    }
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
}

bool writeChartPdf(QIODevice& device, const ChartPageContent& content, const QPageSize& paper)
{
    QPdfWriter writer(&device);
    writer.setTitle(QStringLiteral("Gráfico de zelpo"));
    writer.setCreator(QStringLiteral("Zelpo"));
    writer.setPageSize(paper);
    setUpChartPaper(writer, true);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const bool painted = paintChartPage(painter, writer, content);
    return painter.end() && painted;
}

zelpo::MaybeFailure saveChartPdf(const QString& path, const ChartPageContent& content,
                                 const QPageSize& paper, const OutputDraft& draft)
{
    return zelpo::saveOutputFile(
        path, [&](QIODevice& file) { return writeChartPdf(file, content, paper); }, draft);
}

} // namespace zelpo
