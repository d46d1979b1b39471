#pragma once

#include <functional>
#include <future>
#include <vector>

#include <QImage>
#include <QSize>

class QPainter;

namespace zelpo {

// A picture drawn into an image on a thread of its own while the program starts, so that the
// window showing it only waits for whatever is left of the drawing when it first paints. Where
// the system grants no thread, the drawing is made when it is taken.
class DrawingAhead
{
public:
    using Artwork = std::function<void(QPainter&)>;

    // Starts drawing the steps of an artwork, `logicalSize` logical pixels at `pixelRatio` device
    // pixels to the logical one, on white when it is opaque and on transparency otherwise,
    // antialiased.
    DrawingAhead(QSize logicalSize, qreal pixelRatio, bool opaque, std::vector<Artwork> steps);
    // Waits for a drawing nobody took, which may use the toolkit until it is done; one that
    // never started is dropped.
    ~DrawingAhead() = default;

    DrawingAhead(const DrawingAhead&) = delete;
    DrawingAhead& operator=(const DrawingAhead&) = delete;

    // The finished drawing, waiting for it, when it was made `devicePixels` large at
    // `pixelRatio`; a null image otherwise, and after it was once handed over.
    QImage take(QSize devicePixels, qreal pixelRatio);

private:
    QSize m_devicePixels;
    qreal m_pixelRatio;
    std::future<QImage> m_drawing;
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
