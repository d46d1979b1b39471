#pragma once

#include "core/ChartScale.h"

namespace zelpo {

class PerZelpo;

// The chart's layout as placing the weighings needs it: the frame `Shape2` over the chart's plot
// area, a marker of the pool `sh` and the newest-point arrow `Image2`.
ChartGeometry chartGeometry(const PerZelpo& window);

// Empties the weight box and the readout before another child is opened; the markers and the
// arrow go with the history they show.
void LimpiarGrafico(PerZelpo& window);

} // namespace zelpo
