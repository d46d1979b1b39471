#pragma once

#include "core/PercentileCurves.h"

namespace zelpo {

class PerZelpo;

// The chart operations on the chart window's controls: the marker pool `sh`, the newest-point
// arrow `Image2` and the frame `Shape2`. A marker is in use exactly when it is visible.

// The first hidden marker among 0 to 106; 0 when all of them show a weighing.
int PrimerMarcadorLibre(const PerZelpo& window);

// Centres marker `index` on (age in days, weight in grams) inside the frame as it stands now,
// and shows it. Returns false, changing nothing, when the window has no marker `index`.
bool UbicarMarcador(PerZelpo& window, int index, double ageDays, double weightGrams);

// Puts the arrow's tip on the top-left corner of marker `index`.
void MarcarUltimoPunto(PerZelpo& window, int index);

// Hides markers 0 to 106 and the arrow, and empties the weight box and the readout.
void LimpiarGrafico(PerZelpo& window);

// The chart of the sex selected, whose curves the markers are read against.
zelpo::ChartSex selectedChart(const PerZelpo& window);

} // namespace zelpo
