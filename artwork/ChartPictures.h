#pragma once

#include "core/ChartScale.h"
#include "core/PercentileCurves.h"

#include <QImage>
#include <QSize>

// The chart pictures of the views the program draws when they are first shown rather than at
// start, such as the first two years.
namespace zelpo {

// The chart of `sex` over `spans`, opaque, `logicalSize` logical pixels large at `pixelRatio`,
// drawn for the screen. It is drawn the first time it is asked for and kept, one picture for each
// sex and spans, so that showing the view again or switching the sex back draws nothing; a new
// size or pixel ratio draws it afresh. Only for the program's own thread.
QImage chartPicture(ChartSex sex, const ChartSpans& spans, QSize logicalSize, qreal pixelRatio);

} // namespace zelpo
