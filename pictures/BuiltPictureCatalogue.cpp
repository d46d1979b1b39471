#include "pictures/BuiltPictureCatalogue.h"

#include "artwork/ChartArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"

namespace zelpo {

QSize BuiltPicture::deviceSize() const
{
    switch (art) {
    case BuiltArt::GirlsChart:
        return chartPictureSize(ChartSex::Girls) * pixelRatio;
    case BuiltArt::BoysChart:
        return chartPictureSize(ChartSex::Boys) * pixelRatio;
    case BuiltArt::Panel:
        return kPanelPictureSize * pixelRatio;
    case BuiltArt::Icon:
        break;
    }
    return {iconSide, iconSide};
}

QImage::Format BuiltPicture::format() const
{
    // The charts and the panel cover every pixel; the icon shows the desktop around its bears.
    return art == BuiltArt::Icon ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

qsizetype BuiltPicture::byteCount() const
{
    const QSize size = deviceSize();
    return qsizetype(size.width()) * size.height() * qsizetype(sizeof(quint32));
}

const std::vector<BuiltPicture>& builtPictureCatalogue()
{
    static const std::vector<BuiltPicture> catalogue = [] {
        std::vector<BuiltPicture> pictures{{BuiltArt::GirlsChart}};
        for (const qreal ratio : kBuiltPixelRatios) {
            pictures.push_back({BuiltArt::BoysChart, ratio});
            pictures.push_back({BuiltArt::Panel, ratio});
        }
        for (const int side : kBuiltIconSizes) {
            pictures.push_back({BuiltArt::Icon, 1, side});
        }
        return pictures;
    }();
    return catalogue;
}

} // namespace zelpo
