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

// "Tahoma" 8.25 in the layout, the labels' and the date and weight boxes' font, and the font of
// every text that names none of its own.
inline constexpr FontSpec kEverydayFont{8.25f};

// The font at its layout size. The size is fixed in pixels (points at 96 dots per inch), so that
// text keeps its place among controls that are laid out in twips whatever the screen's dpi.
QFont makeFont(const FontSpec& declared);

} // namespace zelpo
