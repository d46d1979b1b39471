#include "forms/Fonts.h"

#include "artwork/ArtworkFonts.h"

#include <cmath>

#include <QStringList>

void installFontSubstitutes()
{
    const QStringList sansSerif = zelpo::sansSerifFallbacks();
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sansSerif);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansSerif);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sansSerif);
}

QFont makeFont(const FontSpec& declared)
{
    QFont font(QString::fromLatin1(declared.family));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(declared.points * 96.0f / 72.0f)));
    font.setBold(declared.bold);
    font.setUnderline(declared.underline);
    return font;
}
