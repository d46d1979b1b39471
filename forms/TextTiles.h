#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include <QColor>
#include <QFont>
#include <QPixmap>

class QPainter;

namespace zelpo {

// Pieces of a line of text drawn once each, in one font and colour, for a line that changes at
// every pointer move: painting the line then copies a few small pictures instead of laying out,
// shaping and blending the whole text anew. A piece is a single digit or a run of anything else,
// so the words around changing numbers are copied whole. Pieces stand at their own advances, so
// the font given should have kerning off for the line to look as the label's own.
class TextTiles
{
public:
    // Lines of other scripts, combining marks or characters outside the basic plane need the
    // full text layout; the tiles only serve lines of Latin characters.
    static bool canDraw(const QString& text);

    // Paints a line of text in the box with the label's alignment.
    void paintLine(QPainter& painter, const QRect& box, Qt::Alignment alignment,
                   const QString& text, const QFont& font, const QColor& ink, qreal pixelRatio);

private:
    struct Tile
    {
        QPixmap picture;
        qreal advance = 0;
    };

    // Looked up by the piece's characters as they stand in the line, without copying them.
    struct PieceHash
    {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view piece) const
        {
            return std::hash<std::u16string_view>{}(piece);
        }
    };

    const Tile& tileFor(QStringView piece);
    void startOver(const QFont& font, const QColor& ink, qreal pixelRatio, int lineHeight,
                   Qt::Alignment alignment);

    std::unordered_map<std::u16string, Tile, PieceHash, std::equal_to<>> m_tiles;
    QFont m_font;
    QColor m_ink;
    qreal m_pixelRatio = 0;
    int m_lineHeight = 0;
    Qt::Alignment m_verticalAlignment;
};

} // namespace zelpo
