#include "artwork/DrawingAhead.h"

#include <QPainter>

namespace zelpo {

QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const std::vector<DrawingAhead::Artwork>& steps)
{
    // The same rounding as a picture's own device size, so that the two always agree.
    QImage drawing(logicalSize * pixelRatio,
                   opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    drawing.fill(opaque ? Qt::white : Qt::transparent);
    for (const DrawingAhead::Artwork& step : steps) {
        // Painted through a second image over the same pixels: an image keeps the engine that
        // painted it, and with it the buffers its longest curve needed, until the image goes.
        QImage canvas(drawing.bits(), drawing.width(), drawing.height(), drawing.bytesPerLine(),
                      drawing.format());
        canvas.setDevicePixelRatio(pixelRatio);
        QPainter artist(&canvas);
        artist.setRenderHint(QPainter::Antialiasing);
        step(artist);
    }
    drawing.setDevicePixelRatio(pixelRatio);
    return drawing;
}

QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const DrawingAhead::Artwork& artwork)
{
    return drawArtwork(logicalSize, pixelRatio, opaque, std::vector{artwork});
}

DrawingAhead::DrawingAhead(QSize logicalSize, qreal pixelRatio, bool opaque,
                           std::vector<Artwork> steps)
    : m_devicePixels(logicalSize * pixelRatio), m_pixelRatio(pixelRatio)
{
    // At the priority of the program's own thread: it soon waits for this drawing, and a drawing
    // thread ranked below everything else was seen to keep it waiting for seconds on a busy
    // machine, holding a lock (the memory pool, the fonts) the program's thread needed.
    m_drawing =
        std::async(std::launch::async | std::launch::deferred, [=, steps = std::move(steps)] {
            return drawArtwork(logicalSize, pixelRatio, opaque, steps);
        });
}

QImage DrawingAhead::take(QSize devicePixels, qreal pixelRatio)
{
    if (!m_drawing.valid() || devicePixels != m_devicePixels || pixelRatio != m_pixelRatio) {
        return {};
    }
    return m_drawing.get();
}

} // namespace zelpo
