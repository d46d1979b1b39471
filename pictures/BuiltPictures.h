#pragma once

#include "core/PercentileCurves.h"

#include <QImage>

// The pictures the chart window shows as it opens, drawn by the program's own artwork when the
// program was built and kept in it pixel for pixel, in the form they are painted in, at the
// screen densities of kBuiltPixelRatios (pictures/BuiltPictureCatalogue.h): a window on a screen
// of such a density shows them without drawing or decoding anything. The images read the
// program's own memory and are never written to; where no picture is built they are null.
namespace zelpo {

// The chart, opaque, chartPictureSize(sex) large, at `pixelRatio` device pixels to the logical
// one: both charts at one, the boys' chart, which the window opens with, at the others too.
QImage builtChart(ChartSex sex, qreal pixelRatio = 1);

// The backdrop of the main window's left panel, opaque, kPanelPictureSize large.
QImage builtPanel(qreal pixelRatio = 1);

// The window icon `side` pixels wide, as windowIconImage() draws it, for the sizes in
// kBuiltIconSizes.
QImage builtIcon(int side);

} // namespace zelpo
