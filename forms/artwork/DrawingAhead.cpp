#include "forms/artwork/DrawingAhead.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

namespace zelpo {

void runWhenNothingElseDoes()
{
    // Where no thread could be started, the drawing is made when it is taken, by the thread that
    // takes it, which keeps its own priority.
    const QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() == application->thread()) {
        return;
    }
    // The window being built is what the user waits for; a drawing ahead only has to be ready
    // when the window first paints, and takes the processors the window leaves idle.
    QThread::currentThread()->setPriority(QThread::IdlePriority);
}

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
    m_drawing =
        std::async(std::launch::async | std::launch::deferred, [=, steps = std::move(steps)] {
            runWhenNothingElseDoes();
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
