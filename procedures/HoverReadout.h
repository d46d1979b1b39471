#pragma once

#include "core/ChartScale.h"

namespace zelpo {

class PerZelpo;

// The chart pictures that deliver the pointer to the readout, each with its own offsets.
enum class ChartPicture {
    Image3,
    Image4,
};

// Moves the cross-hair lines `Line2` and `Line3` to the pointer at (x, y), twips from the
// picture's top-left corner, shows them, and writes the age and weight they stand on into
// `Label5`, on the scales of the view spanning `spans`. Only what changes is touched, so the
// readout keeps up with every pointer move.
void showReadout(PerZelpo& window, float x, float y, ChartPicture picture,
                 ChartSpans spans = wholeChart);

// Writes into `Label5` what the shown cross-hair stands on in the view spanning `spans`, now that
// the chart shows it: the lines stay where the pointer left them.
void rereadReadout(PerZelpo& window, ChartSpans spans);

// Hides both cross-hair lines and empties `Label5`.
void hideReadout(PerZelpo& window);

} // namespace zelpo
