#pragma once

#include "core/ChartScale.h"
#include "core/PercentileCurves.h"
#include "core/Twips.h"

#include <QColor>
#include <QFont>

class QPalette;

namespace zelpo {

// The chart as the chart window shows it, in plain values: the two charts' pictures, the frame
// over the plot area, the markers and the arrow, and the heading and the labels the page repeats.
// The printed page and the copied chart are drawn in it and the weighings are placed by it, so
// that neither needs the window. Rectangles are in the window's twips.
struct ChartLook
{
    TwipRect girlsChart;
    TwipRect boysChart;
    TwipRect frame;
    QColor frameColour;
    int frameBorderPixels = 1;
    float markerWidth = 0;
    float markerHeight = 0;
    QColor markerFill;
    QColor markerOutline;
    int markerBorderPixels = 1;
    float arrowWidth = 0;
    float arrowHeight = 0;
    QFont headingFont; // "GRAFICO DE ZELPO" on its dark band
    QColor headingBand;
    QColor headingInk;
    QFont textFont; // the labels of the entries

    // The picture of the chart of that sex.
    TwipRect chartPicture(ChartSex chart) const;
};

// The look the chart window is built with, its system colours as `desktop` paints them.
ChartLook chartLook(const QPalette& desktop);

// What placing the weighings needs of the look: the frame, a marker's size and the arrow's.
ChartGeometry chartGeometry(const ChartLook& look);

} // namespace zelpo
