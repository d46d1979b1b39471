#include "artwork/IconArtwork.h"

#include "artwork/DrawingAhead.h"
#include "artwork/TeddyArtwork.h"

#include <algorithm>
#include <array>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace zelpo {

namespace {

// What window systems are offered, smallest first, as a window's icon lists them.
constexpr std::array kOfferedSizes{16, 24, 32, 48, 64, 128, 256};

// A size of the icon as a window hands it to the window system: with its colours not multiplied
// by their opacity, so that the toolkit finds it ready instead of converting it for each window.
constexpr QImage::Format kWindowIconFormat = QImage::Format_ARGB32;

QImage windowIconImage(int side)
{
    QImage image = renderIconImage(side);
    image.convertTo(kWindowIconFormat);
    return image;
}

// Both bears, on a square `side` pixels wide.
void paintIcon(QPainter& painter, qreal side)
{
    // The blue bear sits a little further back, the red one in front and to the right.
    paintTeddyWithFrame(painter, QRectF(0, 0, side * 0.6, side * 0.86), TeddyFrame::LightBlue);
    paintTeddyWithFrame(painter, QRectF(side * 0.38, side * 0.12, side * 0.62, side * 0.88),
                        TeddyFrame::Red);
}

class ZelpoIconEngine : public QIconEngine
{
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override { return new ZelpoIconEngine(*this); }
    QString key() const override { return QStringLiteral("zelpo"); }
};

QPixmap ZelpoIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State)
{
    const int side = std::min(size.width(), size.height());
    if (side <= 0) {
        return {};
    }
    QImage image = IconDrawnAhead::find(side);
    if (image.isNull()) {
        image = windowIconImage(side);
    }
    return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
}

void ZelpoIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state)
{
    const qreal ratio = painter->device()->devicePixelRatio();
    const QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    // A square as large as fits, centred in the rectangle.
    QRectF square(QPointF(), QSizeF(drawn.size()) / ratio);
    square.moveCenter(QRectF(rect).center());
    painter->drawPixmap(square, drawn, QRectF(drawn.rect()));
}

QSize ZelpoIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    const int side = std::min(size.width(), size.height());
    return {side, side};
}

QList<QSize> ZelpoIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (int side : kOfferedSizes) {
        sizes.append(QSize(side, side));
    }
    return sizes;
}

} // namespace

QImage renderIconImage(int size)
{
    return drawArtwork(QSize(size, size), 1.0, false,
                       [size](QPainter& painter) { paintIcon(painter, size); });
}

QIcon zelpoIcon()
{
    return QIcon(new ZelpoIconEngine);
}

class IconDrawnAhead::Drawing
{
public:
    explicit Drawing(std::vector<DrawingAhead::Drawing> sizes) : pictures(std::move(sizes)) {}

    DrawingAhead pictures;
};

namespace {

IconDrawnAhead::Drawing* liveDrawing = nullptr;

} // namespace

IconDrawnAhead::IconDrawnAhead(qreal pixelRatio)
{
    Q_ASSERT_X(!liveDrawing, "IconDrawnAhead", "one drawing ahead at a time");
    // All sizes on one thread: a window asks for all of them at once.
    std::vector<DrawingAhead::Drawing> sizes;
    for (int offered : kOfferedSizes) {
        const int side = qRound(offered * pixelRatio);
        sizes.push_back({QSize(side, side),
                         1.0,
                         false,
                         {[side](QPainter& painter) { paintIcon(painter, side); }},
                         kWindowIconFormat});
    }
    m_drawing = std::make_unique<Drawing>(std::move(sizes));
    liveDrawing = m_drawing.get();
}

IconDrawnAhead::~IconDrawnAhead()
{
    // The drawing waits for its thread, if one started.
    liveDrawing = nullptr;
}

QImage IconDrawnAhead::find(int side)
{
    // Every window asks for the icon, so each size is kept for the next one.
    return liveDrawing ? liveDrawing->pictures.find(QSize(side, side), 1.0) : QImage();
}

} // namespace zelpo
