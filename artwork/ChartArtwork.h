#pragma once

#include "core/PercentileCurves.h"

#include <QRectF>
#include <QSize>

class QPainter;

// The weight-for-age chart pictures. The chart window lays its own frame over the plot area and
// maps 0 to 6 years across it and 0 to 30 kg up it, so the scales drawn here follow that exactly.
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

// Where the axes run inside the picture: left edge birth, right edge six years, bottom edge 0 kg,
// top edge 30 kg.
QRectF chartPlotArea(ChartSex sex);

// The whole picture with its top-left corner at (0, 0), in logical pixels.
void paintChart(QPainter& painter, ChartSex sex, ChartDrawing drawing = ChartDrawing::ForTheDevice);

// One percentile curve in the chart's style, without its label.
void paintPercentileCurve(QPainter& painter, ChartSex sex, const PercentileCurve& curve,
                          ChartDrawing drawing = ChartDrawing::ForTheDevice);

} // namespace zelpo
