#pragma once

#include <QFont>

namespace zelpo {

// The one face the program writes with, pictures and windows alike, at a size in logical pixels.
// It is named as the system knows it: the window's layout and the chart's narrow margins were
// measured with its metrics.
QFont artworkFont(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace zelpo
