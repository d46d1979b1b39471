#include "artwork/DrawnArtwork.h"

#include <QPainter>

namespace zelpo {

QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const std::function<void(QPainter&)>& paint)
{
    // The same rounding as a picture's own device size, so that the two always agree.
    QImage drawing(logicalSize * pixelRatio,
                   opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    drawing.fill(opaque ? Qt::white : Qt::transparent);
    {
        // Painted through a second image over the same pixels: an image keeps the engine that
        // painted it, and with it the buffers its longest curve needed, until the image goes.
        QImage canvas(drawing.bits(), drawing.width(), drawing.height(), drawing.bytesPerLine(),
                      drawing.format());
        canvas.setDevicePixelRatio(pixelRatio);
        QPainter artist(&canvas);
        artist.setRenderHint(QPainter::Antialiasing);
        paint(artist);
    }
    drawing.setDevicePixelRatio(pixelRatio);
    return drawing;
}

} // namespace zelpo
