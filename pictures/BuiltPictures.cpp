#include "pictures/BuiltPictures.h"

#include "artwork/ChartArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"

#include <algorithm>
#include <cstdint>

// Written by zelpo_render_pictures when the program is built: each picture's pixels as the
// 32-bit words of its image format, row after row.
namespace zelpo::built {
extern const std::uint32_t kGirlsChart[];
extern const std::uint32_t kBoysChart[];
extern const std::uint32_t kPanel[];
// In the order of kBuiltIconSizes.
extern const std::uint32_t* const kIcons[];
} // namespace zelpo::built

namespace zelpo {

namespace {

QImage wrapped(const std::uint32_t* pixels, QSize size, QImage::Format format)
{
    // A read-only image over the pixels where they lie.
    return QImage(reinterpret_cast<const uchar*>(pixels), size.width(), size.height(),
                  size.width() * qsizetype(sizeof(std::uint32_t)), format);
}

} // namespace

QImage builtChart(ChartSex sex)
{
    return wrapped(sex == ChartSex::Girls ? built::kGirlsChart : built::kBoysChart,
                   chartPictureSize(sex), QImage::Format_RGB32);
}

QImage builtPanel()
{
    return wrapped(built::kPanel, kPanelPictureSize, QImage::Format_RGB32);
}

QImage builtIcon(int side)
{
    const auto* size = std::find(kBuiltIconSizes.begin(), kBuiltIconSizes.end(), side);
    if (size == kBuiltIconSizes.end()) {
        return {};
    }
    return wrapped(built::kIcons[size - kBuiltIconSizes.begin()], QSize(side, side),
                   QImage::Format_ARGB32);
}

} // namespace zelpo
