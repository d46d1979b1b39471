#pragma once

#include <QRectF>
#include <QSizeF>

// Where everything goes on the printed chart page, in page units of 1/96 inch (the window's
// pixels), measured from the top-left corner of the printable area.
struct ChartPageLayout
{
    QRectF heading;       // "GRAFICO DE ZELPO" on a dark band, as on the window
    QRectF childData;     // two lines of two columns, and a note below them when there is one
    QRectF chart;         // the chart picture, scaled as a whole
    QRectF table;         // "Medidas almacenadas", its column headings and its rows
    int tableBlocks = 0;  // columns of rows side by side
    int rowsPerBlock = 0; // rows run down the first block, then down the next

    // Block `index` of the table: a line of column headings, then its rows.
    QRectF block(int index) const;
    static constexpr double kTitleHeight = 20;
    static constexpr double kRowHeight = 13;
    static constexpr double kBlockGap = 12;
    // Right edges of the age-in-days, months, grams, band and daily-gain columns, as parts of a
    // block's width; the date starts at the block's left edge.
    static constexpr double kColumnRights[] = {0.32, 0.48, 0.66, 0.87, 1.0};
    static constexpr int kHeadingPixels = 20;
    static constexpr int kDataPixels = 13;
    static constexpr int kTablePixels = 9;
};

// Lays out a page with a printable area `page` units large for a chart picture `picture` pixels
// large, a line of note under the child's data or none, and a table of `tableRows` rows (none
// when negative). The chart spans the page's width unless the table needs the height; the table
// is split into as many blocks side by side as make the chart largest, up to four, as long as
// each is wide enough for its six columns.
ChartPageLayout layOutChartPage(QSizeF page, QSizeF picture, bool dataNote, int tableRows);
