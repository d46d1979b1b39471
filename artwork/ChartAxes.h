#pragma once

#include "artwork/ChartArtwork.h"
#include "artwork/ChartPlot.h"

class QPainter;

// The chart's grid and the labels of its axes, marked to suit the spans: the whole chart by
// years and five kilograms, a chart of two years or less by months and kilograms.
namespace zelpo {

void paintGrid(QPainter& painter, const ChartPlot& plot, const ChartPalette& palette,
               ChartDrawing drawing);

void paintAxisLabels(QPainter& painter, const ChartPlot& plot, ChartSex sex,
                     const ChartPalette& palette);

} // namespace zelpo
