#pragma once

namespace zelpo {

class PerZelpo;

// Empties the weight box and the readout before another child is opened; the markers and the
// arrow go with the history they show.
void LimpiarGrafico(PerZelpo& window);

} // namespace zelpo
