#pragma once

#include <QIcon>

namespace zelpo {

// The window icon. It offers window systems the sizes a window shows, built into the program, and
// draws any other size when it is asked for, crisp at any size and pixel density, keeping none: a
// window hands its icon to the window system once, when it is made. Every mode and state looks
// the same.
QIcon zelpoIcon();

} // namespace zelpo
