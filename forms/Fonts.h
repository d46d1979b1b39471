#pragma once

namespace zelpo {

// Makes the layout's everyday font the application's: the font of every text that names none of
// its own, message boxes and tooltips among them. Called before any widget is made: a text box
// lays its empty text out as it is made, in the application's font, before its own is set, and
// in any other face that would load a face that is never shown.
void setApplicationFont();

} // namespace zelpo
