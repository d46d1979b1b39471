#include "pictures/BuiltPictures.h"

#include "pictures/BuiltPictureCatalogue.h"

#include <cstdint>
#include <numeric>

// Assembled from the file zelpo_render_pictures writes when the program is built: the pictures
// of the catalogue, one after the other, from the first byte to the last.
extern "C" {
extern const unsigned char zelpo_built_pixels[];
extern const unsigned char zelpo_built_pixels_end[];
}

namespace zelpo {

namespace {

// Pixels laid out otherwise than the catalogue says would show as garbage; the pictures are
// drawn instead.
bool laidOutAsCatalogued()
{
    const std::vector<BuiltPicture>& catalogue = builtPictureCatalogue();
    const qsizetype catalogued = std::accumulate(
        catalogue.begin(), catalogue.end(), qsizetype(0),
        [](qsizetype bytes, const BuiltPicture& picture) { return bytes + picture.byteCount(); });
    const std::uintptr_t built = reinterpret_cast<std::uintptr_t>(zelpo_built_pixels_end) -
                                 reinterpret_cast<std::uintptr_t>(zelpo_built_pixels);
    return std::uintptr_t(catalogued) == built;
}

QImage builtPicture(BuiltArt art, qreal pixelRatio, int iconSide = 0)
{
    static const bool laidOut = laidOutAsCatalogued();
    if (!laidOut) {
        return {};
    }
    const unsigned char* pixels = zelpo_built_pixels;
    for (const BuiltPicture& picture : builtPictureCatalogue()) {
        if (picture.art == art && picture.pixelRatio == pixelRatio &&
            picture.iconSide == iconSide) {
            const QSize size = picture.deviceSize();
            // A read-only image over the pixels where they lie.
            QImage image(pixels, size.width(), size.height(),
                         size.width() * qsizetype(sizeof(quint32)), picture.format());
            image.setDevicePixelRatio(pixelRatio);
            return image;
        }
        pixels += picture.byteCount();
    }
    return {};
}

} // namespace

QImage builtChart(ChartSex sex, qreal pixelRatio)
{
    return builtPicture(sex == ChartSex::Girls ? BuiltArt::GirlsChart : BuiltArt::BoysChart,
                        pixelRatio);
}

QImage builtPanel(qreal pixelRatio)
{
    return builtPicture(BuiltArt::Panel, pixelRatio);
}

QImage builtIcon(int side)
{
    return side > 0 ? builtPicture(BuiltArt::Icon, 1, side) : QImage();
}

} // namespace zelpo
