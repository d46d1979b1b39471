#pragma once

#include <array>

#include <QImage>

namespace zelpo {

// The sizes a window offers the window system, smallest first; the desktop takes the large ones
// from the installed icon.
inline constexpr std::array kWindowIconSizes{16, 32, 48};

// The sizes built into the program: those a window asks for at the usual screen scales, 1, 1.25,
// 1.5 and 2, smallest first. At any of them a window takes its icon without drawing it.
inline constexpr std::array kBuiltIconSizes{16, 20, 24, 32, 40, 48, 60, 64, 72, 96};

// The icon, two teddy bears holding picture frames, one light blue and one red, drawn on a
// transparent square `size` pixels wide, e.g. for a desktop entry's PNG.
QImage renderIconImage(int size);

// The same, in the form a window hands to the window system: with its colours not multiplied by
// their opacity, so that the toolkit takes it as it is instead of converting it for each window.
QImage windowIconImage(int size);

} // namespace zelpo
