#pragma once

#include <QSize>

class QPainter;

namespace zelpo {

inline constexpr QSize kPanelPictureSize(191, 418);

// The backdrop of the main window's left panel, in logical pixels from (0, 0): the logo at the
// top, a grey card behind the panel's own controls, and two teddy bears below it.
void paintPanel(QPainter& painter);

} // namespace zelpo
