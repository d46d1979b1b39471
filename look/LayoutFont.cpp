#include "look/LayoutFont.h"

#include "artwork/ArtworkFonts.h"

#include <cmath>

namespace zelpo {

QFont makeFont(const FontSpec& declared)
{
    QFont font = zelpo::artworkFont(static_cast<int>(std::lround(declared.points * 96.0f / 72.0f)),
                                    declared.bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(declared.underline);
    return font;
}

} // namespace zelpo
