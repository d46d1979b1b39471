#pragma once

#include <QFont>
#include <QStringList>

namespace zelpo {

// The sans-serif faces the program writes with where a machine lacks the Windows ones (Arial,
// Tahoma, MS Sans Serif), those of the same widths first.
QStringList sansSerifFallbacks();

// The sans-serif face every picture writes with, at a size in logical pixels.
QFont artworkFont(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace zelpo
