#include "core/Twips.h"

#include <algorithm>
#include <cmath>

namespace zelpo {

namespace {
// Far beyond any screen, yet small enough for the raster engine's fixed-point arithmetic.
constexpr float kFarthestPixel = 1 << 20;
} // namespace

int twipsToPixels(float twips)
{
    const float pixels = twips / kTwipsPerPixel;
    if (!std::isfinite(pixels)) {
        return std::signbit(pixels) ? -static_cast<int>(kFarthestPixel)
                                    : static_cast<int>(kFarthestPixel);
    }
    return static_cast<int>(std::lround(std::clamp(pixels, -kFarthestPixel, kFarthestPixel)));
}

TwipPoint pointerTwips(QPointF pixels)
{
    return {static_cast<float>(pixels.x()) * kTwipsPerPixel,
            static_cast<float>(pixels.y()) * kTwipsPerPixel};
}

} // namespace zelpo
