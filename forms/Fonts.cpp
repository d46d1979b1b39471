#include "forms/Fonts.h"

#include "artwork/ArtworkFonts.h"

#include <cmath>

#include <QApplication>

namespace zelpo {

namespace {

// "Tahoma" 8.25 in the layout, the labels' and the date and weight boxes' font.
constexpr FontSpec kEverydayFont{8.25f};

} // namespace

QFont makeFont(const FontSpec& declared)
{
    QFont font = zelpo::artworkFont(static_cast<int>(std::lround(declared.points * 96.0f / 72.0f)),
                                    declared.bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(declared.underline);
    return font;
}

void setApplicationFont()
{
    QApplication::setFont(makeFont(kEverydayFont));
}

} // namespace zelpo
