#pragma once

#include <span>

#include <QList>
#include <QRectF>
#include <QSizeF>

namespace zelpo {

// How a block of the table lays out its columns: the right edges of the columns between the date
// and the state, as parts of the block's width (the date starts at its left edge, the state and
// what there is to review at `stateLeft`), and how narrow and how wide a block may be for them
// all.
struct TableColumns
{
    std::span<const double> rights;
    double stateLeft;
    double narrowestBlock;
    double widestBlock;
};

// Age in days and months, grams, band and daily gain: the seven columns' headings and widest
// values side by side, at the table's size, with room for the heading "Estado / Para revisar" and
// the start of a strike-out's reason.
inline constexpr double kAgeColumnRights[] = {0.25, 0.355, 0.475, 0.625, 0.715};
inline constexpr TableColumns kAgeColumns{kAgeColumnRights, 0.735, 300, 340};
// The same with the corrected age's days and months after the age from birth, for a baby born
// early: nine columns, their long headings whole.
inline constexpr double kCorrectedAgeColumnRights[] = {0.16, 0.215, 0.36, 0.51, 0.585, 0.74, 0.81};
inline constexpr TableColumns kCorrectedAgeColumns{kCorrectedAgeColumnRights, 0.835, 470, 600};

// The part of the table "Medidas almacenadas" one sheet holds: a title line, then blocks of rows
// side by side, each under a line of column headings.
struct ChartTableSheet
{
    QRectF table;         // the title line and the blocks
    int firstRow = 0;     // the first weighing on the sheet, counted from the table's first
    int rows = 0;         // weighings on the sheet
    int rowsPerBlock = 0; // rows run down the first block, then down the next
    int blocks = 0;       // blocks holding rows
    int blockPlaces = 0;  // blocks that fit across the sheet, which set a block's width
    double widestBlock = kAgeColumns.widestBlock;

    // Block `index`: a line of column headings, then its rows.
    QRectF block(int index) const;
};

// Where everything goes on the printed chart page, in page units of 1/96 inch (the window's
// pixels), measured from the top-left corner of each sheet's printable area. The first sheet
// holds the heading, the child's data and the chart; the table starts under the chart and goes
// on over as many sheets as it needs, each of them opened by a line naming the child.
struct ChartPageLayout
{
    QRectF heading;   // "GRAFICO DE ZELPO" on a dark band, as on the window
    QRectF childData; // two lines of two columns, and the notes below them
    QRectF chart;     // the chart picture, scaled as a whole
    QRectF childLine; // on the sheets after the first: the child's number, sex and sheet
    // The table's sheets in order; the first is the chart's sheet when `tableOnFirstSheet`.
    QList<ChartTableSheet> tableSheets;
    bool tableOnFirstSheet = false;

    int sheetCount() const;
    // The sheet, counted from 0, that holds the table's part `index`.
    int sheetOfTablePart(int index) const;

    static constexpr double kTitleHeight = 20;
    static constexpr double kRowHeight = 13;
    static constexpr double kBlockGap = 12;
    static constexpr int kHeadingPixels = 20;
    static constexpr int kDataPixels = 13;
    static constexpr int kTablePixels = 9;
};

// Lays out the sheets of a printable area `page` units large for a chart picture `picture`
// pixels large, `dataNotes` lines of notes under the child's data, and a table of `tableRows`
// rows (none when negative) in `columns`. The chart always spans the sheet's width, or its height
// when the paper is too short, whatever the table's length: the table takes what is left under
// it, in up to four blocks side by side as long as each is wide enough for its columns, and the
// rest goes on to further sheets. The last sheet keeps a line under the table for the count of
// weighings struck out.
ChartPageLayout layOutChartPage(QSizeF page, QSizeF picture, int dataNotes, int tableRows,
                                const TableColumns& columns = kAgeColumns);

} // namespace zelpo
