#pragma once

#include <cstdio>

class QWidget;

namespace zelpo {

// The variable that asks a program to tell when its window has first been painted; the start-up
// benchmark sets it and times the program from its launch to that line.
inline constexpr char kFirstPaintReportVariable[] = "ZELPO_REPORT_FIRST_PAINT";

// The line written, alone and flushed at once, when the window's first paint has completed.
inline constexpr char kFirstPaintLine[] = "first-paint";

// When ZELPO_REPORT_FIRST_PAINT is 1, watches the window and writes kFirstPaintLine to `out`
// once the window and every control in it have been painted for the first time, then stops
// watching. Otherwise it does nothing at all. Returns whether the window is watched.
bool reportFirstPaintWhenAsked(QWidget& window, std::FILE* out = stdout);

} // namespace zelpo
