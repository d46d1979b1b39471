#pragma once

#include <QFont>

namespace zelpo {

// A font as the window layout declares it: its size in points at the layout's 96 dots per inch
// and its weight, in the program's one face.
struct FontSpec
{
    float points = 0; // 0: the window's own font
    bool bold = false;
    bool underline = false;
};

// The font at its layout size. The size is fixed in pixels (points at 96 dots per inch), so that
// text keeps its place among controls that are laid out in twips whatever the screen's dpi.
QFont makeFont(const FontSpec& declared);

// Makes the layout's everyday font the application's: the font of every text that names none of
// its own, message boxes and tooltips among them. Called before any widget is made: a text box
// lays its empty text out as it is made, in the application's font, before its own is set, and
// in any other face that would load a face that is never shown.
void setApplicationFont();

} // namespace zelpo
