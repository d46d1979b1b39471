#include "artwork/IconArtwork.h"

#include "artwork/DrawingAhead.h"
#include "artwork/TeddyArtwork.h"

#include <algorithm>
#include <array>
#include <future>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace zelpo {

namespace {

// What window systems are offered, smallest first, as a window's icon lists them.
constexpr std::array kOfferedSizes{16, 24, 32, 48, 64, 128, 256};

// A size of the icon as a window hands it to the window system: with its colours not multiplied
// by their opacity, so that the toolkit finds it ready instead of converting it for each window.
QImage windowIconImage(int side)
{
    QImage image = renderIconImage(side);
    image.convertTo(QImage::Format_ARGB32);
    return image;
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
    return drawArtwork(QSize(size, size), 1.0, false, [size](QPainter& painter) {
        // The blue bear sits a little further back, the red one in front and to the right.
        paintTeddyWithFrame(painter, QRectF(0, 0, size * 0.6, size * 0.86), TeddyFrame::LightBlue);
        paintTeddyWithFrame(painter, QRectF(size * 0.38, size * 0.12, size * 0.62, size * 0.88),
                            TeddyFrame::Red);
    });
}

QIcon zelpoIcon()
{
    return QIcon(new ZelpoIconEngine);
}

class IconDrawnAhead::Drawing
{
public:
    std::array<int, kOfferedSizes.size()> sides;
    std::future<std::array<QImage, kOfferedSizes.size()>> drawing;
    std::array<QImage, kOfferedSizes.size()> images;
};

namespace {

IconDrawnAhead::Drawing* liveDrawing = nullptr;

} // namespace

IconDrawnAhead::IconDrawnAhead(qreal pixelRatio) : m_drawing(std::make_unique<Drawing>())
{
    Q_ASSERT_X(!liveDrawing, "IconDrawnAhead", "one drawing ahead at a time");
    std::transform(kOfferedSizes.begin(), kOfferedSizes.end(), m_drawing->sides.begin(),
                   [pixelRatio](int side) { return qRound(side * pixelRatio); });
    // All sizes on one thread: a window asks for all of them at once.
    m_drawing->drawing =
        std::async(std::launch::async | std::launch::deferred, [sides = m_drawing->sides] {
            std::array<QImage, kOfferedSizes.size()> images;
            std::transform(sides.begin(), sides.end(), images.begin(), windowIconImage);
            return images;
        });
    liveDrawing = m_drawing.get();
}

IconDrawnAhead::~IconDrawnAhead()
{
    // The drawing's future waits for the thread, if one started.
    liveDrawing = nullptr;
}

QImage IconDrawnAhead::find(int side)
{
    if (!liveDrawing) {
        return {};
    }
    const auto drawn = std::find(liveDrawing->sides.begin(), liveDrawing->sides.end(), side);
    if (drawn == liveDrawing->sides.end()) {
        return {};
    }
    if (liveDrawing->drawing.valid()) {
        liveDrawing->images = liveDrawing->drawing.get();
    }
    return liveDrawing->images[size_t(drawn - liveDrawing->sides.begin())];
}

} // namespace zelpo
