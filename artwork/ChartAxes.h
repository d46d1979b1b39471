#pragma once

#include "artwork/ChartPlot.h"

#include <QSizeF>

class QPainter;

// The chart's grid and the labels of its axes, marked to suit the spans: the whole chart by
// years and five kilograms, a chart of two years or less by months and kilograms.
namespace zelpo {

// Drawn for the device, lines may be filled as rectangles where those give the same pixels.
void paintGrid(QPainter& painter, const ChartPlot& plot, const ChartPalette& palette,
               bool forTheDevice);

// The labels around the plot of a picture `pictureSize` large.
void paintAxisLabels(QPainter& painter, const ChartPlot& plot, QSizeF pictureSize,
                     const ChartPalette& palette);

} // namespace zelpo
