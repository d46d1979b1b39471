#pragma once

#include "core/PercentileCurves.h"

#include <QImage>

// The pictures the windows show at one device pixel to the logical one, drawn by the program's
// own artwork when the program was built and kept in it pixel for pixel, in the form they are
// painted in: a window on a screen of that density shows them without drawing or decoding
// anything. The images read the program's own memory and are never written to.
namespace zelpo {

// The chart, opaque, chartPictureSize(sex) large.
QImage builtChart(ChartSex sex);

// The backdrop of the main window's left panel, opaque, kPanelPictureSize large.
QImage builtPanel();

// The window icon `side` pixels wide, as windowIconImage() draws it, for the sizes in
// kBuiltIconSizes; a null image for any other.
QImage builtIcon(int side);

} // namespace zelpo
