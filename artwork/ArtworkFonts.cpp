#include "artwork/ArtworkFonts.h"

namespace zelpo {

QFont artworkFont(int pixelSize, QFont::Weight weight)
{
    // Asked for by its own name: every other name would get a font engine and a search for
    // substitutes of its own, only to end on this face.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace zelpo
