#pragma once

namespace zelpo {

class PerZelpo;

// The chart pictures that deliver the pointer to the readout, each with its own offsets.
enum class ChartPicture {
    Image3,
    Image4,
};

// Moves the cross-hair lines `Line2` and `Line3` to the pointer at (x, y), twips from the
// picture's top-left corner, shows them, and writes the age and weight they stand on into
// `Label5`. Only what changes is touched, so the readout keeps up with every pointer move.
void showReadout(PerZelpo& window, float x, float y, ChartPicture picture);

// Hides both cross-hair lines and empties `Label5`.
void hideReadout(PerZelpo& window);

} // namespace zelpo
