#pragma once

#include "core/ChartScale.h"
#include "core/PercentileCurves.h"

#include <QRectF>
#include <QSize>

class QPainter;

// The weight-for-age chart pictures. The chart window lays its own frame over the plot area and
// maps the spans of its view across and up it (0 to 6 years and 0 to 30 kg on the whole chart, 0
// to 24 months and 0 to 16 kg over the first two years), so the scales drawn here follow them
// exactly.
namespace zelpo {

// How finely the chart is drawn.
enum class ChartDrawing {
    // For the device painted on: each curve sampled at most once for every device pixel it runs
    // across, its segments joined by bevels, and the grid filled as rectangles wherever they give
    // the very pixels of its lines. A page, drawn as vectors, gets the reference drawing.
    ForTheDevice,
    // The same at any resolution: each curve sampled every 0.05 month with round joins, the grid
    // stroked. The pictures built into the program are drawn so, and drawings for the device are
    // held to it.
    Reference,
};

// Size of the picture in logical pixels.
QSize chartPictureSize(ChartSex sex);

// Where the axes run inside the picture, whatever the spans: left edge birth, right edge the last
// age spanned, bottom edge 0 kg, top edge the highest weight spanned.
QRectF chartPlotArea(ChartSex sex);

// The whole picture with its top-left corner at (0, 0), in logical pixels: the whole chart, or
// the chart over `spans`, each curve from its first tabulated value as far as the spans reach.
void paintChart(QPainter& painter, ChartSex sex, ChartDrawing drawing = ChartDrawing::ForTheDevice);
void paintChart(QPainter& painter, ChartSex sex, const ChartSpans& spans,
                ChartDrawing drawing = ChartDrawing::ForTheDevice);

// One percentile curve in the chart's style, without its label.
void paintPercentileCurve(QPainter& painter, ChartSex sex, const PercentileCurve& curve,
                          ChartDrawing drawing = ChartDrawing::ForTheDevice);
void paintPercentileCurve(QPainter& painter, ChartSex sex, const PercentileCurve& curve,
                          const ChartSpans& spans,
                          ChartDrawing drawing = ChartDrawing::ForTheDevice);

} // namespace zelpo
