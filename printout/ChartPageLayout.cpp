#include "printout/ChartPageLayout.h"

#include <algorithm>
#include <cmath>

namespace zelpo {

namespace {

constexpr double kHeadingHeight = 34;
constexpr double kDataLineHeight = 20;
constexpr double kGap = 12;
constexpr int kMostBlocks = 4;
// A chart never drawn smaller than this, whatever paper the printer claims: a scale of 0 would
// write pen widths a PDF reader cannot parse.
constexpr double kSmallestScale = 0.05;

int blocksAcross(double width, double narrowestBlock)
{
    int blocks = 1;
    while (blocks < kMostBlocks &&
           width - blocks * ChartPageLayout::kBlockGap >= (blocks + 1) * narrowestBlock) {
        ++blocks;
    }
    return blocks;
}

// Rows that fit in a block from `top` down to the sheet's foot, under the title and the
// headings, and above a last line for the count of weighings struck out.
int rowsDownTo(double top, double height)
{
    const double rows =
        (height - top - ChartPageLayout::kTitleHeight - 2 * ChartPageLayout::kRowHeight) /
        ChartPageLayout::kRowHeight;
    return std::max(0, static_cast<int>(std::floor(rows)));
}

} // namespace

QRectF ChartTableSheet::block(int index) const
{
    // Columns of a lone block stay close enough to be read across.
    const double width =
        std::min(widestBlock, (table.width() - (blockPlaces - 1) * ChartPageLayout::kBlockGap) /
                                  std::max(1, blockPlaces));
    return {table.left() + index * (width + ChartPageLayout::kBlockGap),
            table.top() + ChartPageLayout::kTitleHeight, width,
            (rowsPerBlock + 1) * ChartPageLayout::kRowHeight};
}

int ChartPageLayout::sheetCount() const
{
    return 1 + static_cast<int>(tableSheets.size()) - (tableOnFirstSheet ? 1 : 0);
}

int ChartPageLayout::sheetOfTablePart(int index) const
{
    return index + (tableOnFirstSheet ? 0 : 1);
}

ChartPageLayout layOutChartPage(QSizeF page, QSizeF picture, int dataNotes, int tableRows,
                                const TableColumns& columns)
{
    ChartPageLayout layout;
    layout.heading = {0, 0, page.width(), kHeadingHeight};
    layout.childData = {0, layout.heading.bottom() + kGap, page.width(),
                        (2 + dataNotes) * kDataLineHeight};
    const double chartTop = layout.childData.bottom() + kGap;
    const double scale =
        std::max(kSmallestScale, std::min(page.width() / picture.width(),
                                          (page.height() - chartTop) / picture.height()));
    const QSizeF chartSize = picture * scale;
    layout.chart = {(page.width() - chartSize.width()) / 2, chartTop, chartSize.width(),
                    chartSize.height()};
    layout.childLine = {0, 0, page.width(), kDataLineHeight};
    if (tableRows < 0) {
        return layout;
    }

    const int places = blocksAcross(page.width(), columns.narrowestBlock);
    // A table part from `top` down, holding as many of the rows left as fit.
    int firstRow = 0;
    const auto addPart = [&](double top, int rowsPerBlockThatFit) {
        const int rows = std::min(tableRows - firstRow, places * rowsPerBlockThatFit);
        ChartTableSheet part;
        part.firstRow = firstRow;
        part.rows = rows;
        part.blockPlaces = places;
        part.widestBlock = columns.widestBlock;
        // Each block takes the part's rows shared out across the blocks that fit, rounded up, and
        // the last block what is left: a part that does not fill its sheet stays as short as it
        // can.
        part.rowsPerBlock = std::max(1, (rows + places - 1) / places);
        part.blocks = rows == 0 ? 1 : (rows + part.rowsPerBlock - 1) / part.rowsPerBlock;
        part.table = {0, top, page.width(),
                      ChartPageLayout::kTitleHeight +
                          (part.rowsPerBlock + 1) * ChartPageLayout::kRowHeight};
        layout.tableSheets.append(part);
        firstRow += rows;
    };
    const double firstTop = layout.chart.bottom() + kGap;
    const int firstSheetRows = rowsDownTo(firstTop, page.height());
    // The table starts under the chart when its title, its headings and a row fit there, and on
    // the next sheet otherwise; a history without weighings still shows the title and headings.
    layout.tableOnFirstSheet = firstSheetRows > 0;
    if (layout.tableOnFirstSheet) {
        addPart(firstTop, firstSheetRows);
    }
    const double laterTop = layout.childLine.bottom() + kGap;
    // At least a row to a sheet, however short the paper, so that the table always ends.
    const int laterRows = std::max(1, rowsDownTo(laterTop, page.height()));
    while (firstRow < tableRows || layout.tableSheets.isEmpty()) {
        addPart(laterTop, laterRows);
    }
    return layout;
}

} // namespace zelpo
