#pragma once

#include <functional>
#include <future>
#include <vector>

#include <QImage>
#include <QSize>

class QPainter;

namespace zelpo {

// Pictures drawn into images on a thread of their own while the program starts, one after the
// other, so that the windows showing them only wait for whatever is left of the drawing when
// they first paint. Where the system grants no thread, they are drawn when first asked for.
class DrawingAhead
{
public:
    using Artwork = std::function<void(QPainter&)>;

    // One picture: the steps of an artwork, `logicalSize` logical pixels at `pixelRatio` device
    // pixels to the logical one, on white when it is opaque and on transparency otherwise,
    // antialiased, and converted to `handedOverAs` when that is a format.
    struct Drawing
    {
        QSize logicalSize;
        qreal pixelRatio;
        bool opaque;
        std::vector<Artwork> steps;
        QImage::Format handedOverAs = QImage::Format_Invalid;
    };

    explicit DrawingAhead(std::vector<Drawing> drawings);
    // Waits for drawings nobody took, which may use the toolkit until they are done; drawings
    // that never started are dropped.
    ~DrawingAhead() = default;

    DrawingAhead(const DrawingAhead&) = delete;
    DrawingAhead& operator=(const DrawingAhead&) = delete;

    // The finished picture made `devicePixels` large at `pixelRatio`, waiting for it; a null
    // image when there is none, and after it was once taken.
    QImage take(QSize devicePixels, qreal pixelRatio);
    // The same, kept for whoever asks for it next.
    QImage find(QSize devicePixels, qreal pixelRatio);

private:
    QImage handOver(QSize devicePixels, qreal pixelRatio, bool keep);

    std::vector<std::pair<QSize, qreal>> m_made; // device size and pixel ratio of each picture
    std::future<std::vector<QImage>> m_drawing;
    std::vector<QImage> m_drawn;
};

// The steps of an artwork drawn one after the other, antialiased, on an image `logicalSize`
// logical pixels large at `pixelRatio`, white beneath when opaque, transparent otherwise; its
// device size is what a picture of that size holds. Each step has a painter of its own, and the
// image keeps nothing of the painting but its pixels.
QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const std::vector<DrawingAhead::Artwork>& steps);
QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const DrawingAhead::Artwork& artwork);

} // namespace zelpo
