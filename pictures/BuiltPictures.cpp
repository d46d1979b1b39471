#include "pictures/BuiltPictures.h"

#include "pictures/BuiltPictureCatalogue.h"

#include <numeric>

// Assembled from the file zelpo_render_pictures writes when the program is built: the pictures
// of the catalogue, one after the other, from the first byte to the last.
extern "C" {
extern const unsigned char zelpo_built_pixels[];
extern const unsigned char zelpo_built_pixels_end[];
}

namespace zelpo {

namespace {

QImage builtPicture(BuiltArt art, qreal pixelRatio, int iconSide = 0)
{
    const std::vector<BuiltPicture>& catalogue = builtPictureCatalogue();
    // Pixels laid out otherwise than the catalogue says would show as garbage; the pictures are
    // drawn instead.
    static const bool laidOutAsCatalogued =
        std::accumulate(catalogue.begin(), catalogue.end(), qsizetype(0),
                        [](qsizetype bytes, const BuiltPicture& picture) {
                            return bytes + picture.byteCount();
                        }) == zelpo_built_pixels_end - zelpo_built_pixels;
    if (!laidOutAsCatalogued) {
        return {};
    }
    const unsigned char* pixels = zelpo_built_pixels;
    for (const BuiltPicture& picture : catalogue) {
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
