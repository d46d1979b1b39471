#include "printout/ChartPageLayout.h"

#include <algorithm>

namespace {

constexpr double kHeadingHeight = 34;
constexpr double kDataLineHeight = 20;
constexpr double kGap = 12;
constexpr int kMostBlocks = 4;
constexpr double kWidestBlock = 260;
// The six columns' headings and widest values side by side, at the table's size.
constexpr double kNarrowestBlock = 210;

} // namespace

QRectF ChartPageLayout::block(int index) const
{
    // Columns of a lone block stay close enough to be read across.
    const double width =
        std::min(kWidestBlock, (table.width() - (tableBlocks - 1) * kBlockGap) / tableBlocks);
    return {table.left() + index * (width + kBlockGap), table.top() + kTitleHeight, width,
            (rowsPerBlock + 1) * kRowHeight};
}

ChartPageLayout layOutChartPage(QSizeF page, QSizeF picture, bool dataNote, int tableRows)
{
    ChartPageLayout layout;
    layout.heading = {0, 0, page.width(), kHeadingHeight};
    layout.childData = {0, layout.heading.bottom() + kGap, page.width(),
                        (dataNote ? 3 : 2) * kDataLineHeight};
    const double chartTop = layout.childData.bottom() + kGap;
    const double widthScale = page.width() / picture.width();

    // The table's height for a number of blocks, and the chart's scale that leaves room for it.
    const auto tableHeight = [tableRows](int blocks) {
        const int rows = (tableRows + blocks - 1) / blocks;
        return ChartPageLayout::kTitleHeight + (rows + 1) * ChartPageLayout::kRowHeight;
    };
    const auto chartScale = [&](int blocks) {
        const double tableSpace = tableRows < 0 ? 0 : tableHeight(blocks) + kGap;
        const double heightScale = (page.height() - chartTop - tableSpace) / picture.height();
        return std::max(0.0, std::min(widthScale, heightScale));
    };
    const auto fits = [&page](int blocks) {
        return page.width() - (blocks - 1) * ChartPageLayout::kBlockGap >= blocks * kNarrowestBlock;
    };
    int blocks = 1;
    for (int more = 2; more <= kMostBlocks && fits(more); ++more) {
        if (chartScale(more) > chartScale(blocks)) {
            blocks = more;
        }
    }
    const double scale = chartScale(blocks);
    const QSizeF chartSize = picture * scale;
    layout.chart = {(page.width() - chartSize.width()) / 2, chartTop, chartSize.width(),
                    chartSize.height()};
    if (tableRows >= 0) {
        layout.tableBlocks = blocks;
        layout.rowsPerBlock = (tableRows + blocks - 1) / blocks;
        layout.table = {0, layout.chart.bottom() + kGap, page.width(), tableHeight(blocks)};
    }
    return layout;
}
