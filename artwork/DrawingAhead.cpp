#include "artwork/DrawingAhead.h"

#include <algorithm>
#include <utility>

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

DrawingAhead::DrawingAhead(std::vector<Drawing> drawings)
{
    for (const Drawing& drawing : drawings) {
        m_made.emplace_back(drawing.logicalSize * drawing.pixelRatio, drawing.pixelRatio);
    }
    // At the priority of the program's own thread: it soon waits for these drawings, and a
    // drawing thread ranked below everything else was seen to keep it waiting for seconds on a
    // busy machine, holding a lock (the memory pool, the fonts) the program's thread needed.
    m_drawing =
        std::async(std::launch::async | std::launch::deferred, [drawings = std::move(drawings)] {
            std::vector<QImage> images;
            for (const Drawing& drawing : drawings) {
                QImage image = drawArtwork(drawing.logicalSize, drawing.pixelRatio, drawing.opaque,
                                           drawing.steps);
                if (drawing.handedOverAs != QImage::Format_Invalid) {
                    image.convertTo(drawing.handedOverAs);
                }
                images.push_back(std::move(image));
            }
            return images;
        });
}

QImage DrawingAhead::take(QSize devicePixels, qreal pixelRatio)
{
    return handOver(devicePixels, pixelRatio, false);
}

QImage DrawingAhead::find(QSize devicePixels, qreal pixelRatio)
{
    return handOver(devicePixels, pixelRatio, true);
}

QImage DrawingAhead::handOver(QSize devicePixels, qreal pixelRatio, bool keep)
{
    const auto made = std::find(m_made.begin(), m_made.end(), std::pair(devicePixels, pixelRatio));
    if (made == m_made.end()) {
        return {};
    }
    if (m_drawing.valid()) {
        m_drawn = m_drawing.get();
    }
    QImage& drawn = m_drawn[static_cast<size_t>(made - m_made.begin())];
    return keep ? drawn : std::exchange(drawn, QImage());
}

} // namespace zelpo
