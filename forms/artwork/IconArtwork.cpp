#include "forms/artwork/IconArtwork.h"

#include "forms/artwork/TeddyArtwork.h"

#include <QPainter>
#include <QPixmap>

namespace zelpo {

namespace {

const QColor kLightBlueFrame(110, 182, 232);
const QColor kRedFrame(214, 48, 49);

} // namespace

QImage renderIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The blue bear sits a little further back, the red one in front and to the right.
    paintTeddyWithFrame(painter, QRectF(0, 0, size * 0.6, size * 0.86), kLightBlueFrame);
    paintTeddyWithFrame(painter, QRectF(size * 0.38, size * 0.12, size * 0.62, size * 0.88),
                        kRedFrame);
    return image;
}

QIcon zelpoIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(renderIconImage(size)));
    return icon;
}

} // namespace zelpo
