#include "artwork/ArtworkFonts.h"

#include <QStringList>

namespace zelpo {

QFont artworkFont(int pixelSize, QFont::Weight weight)
{
    QFont font;
    // Narrow faces first: the chart's margins leave room for only a couple of digits.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace zelpo
