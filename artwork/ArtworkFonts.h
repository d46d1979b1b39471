#pragma once

#include <QFont>

namespace zelpo {

// The sans-serif face every picture writes with, at a size in logical pixels.
QFont artworkFont(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace zelpo
