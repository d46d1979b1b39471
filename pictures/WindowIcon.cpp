#include "pictures/WindowIcon.h"

#include "artwork/IconArtwork.h"
#include "pictures/BuiltPictures.h"

#include <algorithm>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace zelpo {

namespace {

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
    QImage image = builtIcon(side);
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
    for (int side : kWindowIconSizes) {
        sizes.append(QSize(side, side));
    }
    return sizes;
}

} // namespace

QIcon zelpoIcon()
{
    return QIcon(new ZelpoIconEngine);
}

} // namespace zelpo
