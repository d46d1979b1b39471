#pragma once

#include <QFont>

// A font as the window layout names it: family and size in points at the layout's 96 dots
// per inch.
struct FontSpec
{
    const char* family = nullptr; // nullptr: the window's own font
    float points = 0;
    bool bold = false;
    bool underline = false;
};

// Metric-compatible stand-ins for the layout's fonts where a machine lacks them.
void installFontSubstitutes();

// The font at its layout size. The size is fixed in pixels (points at 96 dots per inch), so that
// text keeps its place among controls that are laid out in twips whatever the screen's dpi.
QFont makeFont(const FontSpec& declared);
