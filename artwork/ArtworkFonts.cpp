#include "artwork/ArtworkFonts.h"

#include <QStringList>

namespace zelpo {

QStringList sansSerifFallbacks()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Helvetica"),
            QStringLiteral("DejaVu Sans")};
}

QFont artworkFont(int pixelSize, QFont::Weight weight)
{
    QFont font;
    // Narrow faces first: the chart's margins leave room for only a couple of digits.
    font.setFamilies(QStringList{QStringLiteral("Arial")} + sansSerifFallbacks());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace zelpo
