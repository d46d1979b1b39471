#pragma once

#include <functional>

#include <QImage>
#include <QSize>

class QPainter;

namespace zelpo {

// An artwork drawn antialiased on an image `logicalSize` logical pixels large at `pixelRatio`,
// white beneath when opaque and transparent otherwise; its device size is what a picture of that
// size holds. The image keeps nothing of the painting but its pixels.
QImage drawArtwork(QSize logicalSize, qreal pixelRatio, bool opaque,
                   const std::function<void(QPainter&)>& paint);

} // namespace zelpo
