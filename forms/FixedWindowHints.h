#pragma once

class QWidget;

namespace zelpo {

// Asks the window manager to offer neither minimizing, maximizing nor resizing for one of the
// program's fixed dialogs: the chart window and the message boxes. Call it on a window of fixed
// size, with its flags and modality set, before it is first shown.
//
// The window flags already say so to the managers of GNOME, KDE and Xfce: a dialog window type
// and Motif hints without the minimize and maximize functions, and a fixed size in the size
// hints. Openbox takes from the Motif hints only moving and resizing and offers minimizing for
// every dialog; it leaves it out for toolbars alone, so under openbox the window is announced as
// a toolbar first, then as the dialog it is.
void keepWindowFixed(QWidget& window);

} // namespace zelpo
