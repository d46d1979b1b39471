#pragma once

namespace zelpo {

// Where a window's near edge goes so that the window stands centred on the screen, in twips.
// Each half is taken separately and nothing is rounded or clamped: a window larger than the
// screen gets a negative position.
float centredPosition(float screenExtent, float windowExtent);

} // namespace zelpo
