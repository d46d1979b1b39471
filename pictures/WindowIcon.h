#pragma once

#include <QIcon>

namespace zelpo {

// The window icon. It offers window systems the sizes a window shows. Those sizes at the usual
// screen scales are built into the program; any other is drawn when it is asked for, crisp at
// any size and pixel density, and none is kept: a window hands its icon to the window system
// once, when it is made. Every mode and state looks the same.
QIcon zelpoIcon();

} // namespace zelpo
