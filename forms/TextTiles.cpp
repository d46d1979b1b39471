#include "forms/TextTiles.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace zelpo {

namespace {

// Room on each side of a piece's advance for the parts of a glyph that reach past it.
constexpr int kOverhang = 2;
// Texts that never repeat would otherwise fill the cache without end.
constexpr std::size_t kMostTiles = 256;

// Calls visit(piece) for each digit and each run of other characters, in order.
template <typename Visit>
void forEachPiece(const QString& text, Visit visit)
{
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at].isDigit()) {
            if (at > start) {
                visit(QStringView(text).sliced(start, at - start));
            }
            visit(QStringView(text).sliced(at, 1));
            start = at + 1;
        }
    }
    if (start < text.size()) {
        visit(QStringView(text).sliced(start));
    }
}

} // namespace

bool TextTiles::canDraw(const QString& text)
{
    // Below the combining diacritical marks every character stands alone: one code unit, one
    // glyph, no joining or reordering.
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar character) { return character.unicode() < 0x0300; });
}

void TextTiles::paintLine(QPainter& painter, const QRect& box, Qt::Alignment alignment,
                          const QString& text, const QFont& font, const QColor& ink,
                          qreal pixelRatio)
{
    const Qt::Alignment vertical = alignment & Qt::AlignVertical_Mask;
    if (font != m_font || ink != m_ink || pixelRatio != m_pixelRatio ||
        box.height() != m_lineHeight || vertical != m_verticalAlignment ||
        m_tiles.size() > kMostTiles) {
        startOver(font, ink, pixelRatio, box.height(), vertical);
    }
    qreal x = box.left();
    if (alignment & (Qt::AlignHCenter | Qt::AlignRight)) {
        qreal width = 0;
        forEachPiece(text, [&](QStringView piece) { width += tileFor(piece).advance; });
        x += (alignment & Qt::AlignRight) ? box.width() - width : (box.width() - width) / 2;
    }
    forEachPiece(text, [&](QStringView piece) {
        const Tile& tile = tileFor(piece);
        // Each piece starts on a whole device pixel, as hinted text does.
        const qreal left = std::round(x * pixelRatio) / pixelRatio - kOverhang;
        painter.drawPixmap(QPointF(left, box.top()), tile.picture);
        x += tile.advance;
    });
}

const TextTiles::Tile& TextTiles::tileFor(QStringView piece)
{
    const std::u16string_view characters(piece.utf16(), std::size_t(piece.size()));
    if (const auto found = m_tiles.find(characters); found != m_tiles.end()) {
        return found->second;
    }
    const QString text = piece.toString();
    Tile tile;
    tile.advance = QFontMetricsF(m_font).horizontalAdvance(text);
    const QSizeF size(std::ceil(tile.advance) + 2 * kOverhang, m_lineHeight);
    tile.picture = QPixmap((size * m_pixelRatio).toSize());
    tile.picture.setDevicePixelRatio(m_pixelRatio);
    tile.picture.fill(Qt::transparent);
    QPainter artist(&tile.picture);
    artist.setFont(m_font);
    artist.setPen(m_ink);
    artist.drawText(QRectF(kOverhang, 0, size.width() - kOverhang, size.height()),
                    Qt::AlignLeft | m_verticalAlignment | Qt::TextSingleLine, text);
    artist.end();
    return m_tiles.emplace(characters, std::move(tile)).first->second;
}

void TextTiles::startOver(const QFont& font, const QColor& ink, qreal pixelRatio, int lineHeight,
                          Qt::Alignment alignment)
{
    m_tiles.clear();
    m_font = font;
    m_ink = ink;
    m_pixelRatio = pixelRatio;
    m_lineHeight = lineHeight;
    m_verticalAlignment = alignment;
}

} // namespace zelpo
