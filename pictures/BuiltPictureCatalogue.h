#pragma once

#include <array>
#include <vector>

#include <QImage>
#include <QSize>

// Which pictures are built into the program, and how their pixels lie there: one after the other
// in this order, each row after row in the 32-bit words of its image format. The tool that draws
// them when the program is built and the program that wraps them in images both read it here.
namespace zelpo {

enum class BuiltArt { GirlsChart, BoysChart, Panel, Icon };

// The screen densities a window first shows its charts and panel at, from none scaled to twice
// as dense.
inline constexpr std::array kBuiltPixelRatios{1.0, 1.25, 1.5, 2.0};

struct BuiltPicture
{
    BuiltArt art;
    // Device pixels to the logical one; icons are built at one.
    qreal pixelRatio = 1;
    // An icon's width and height in pixels.
    int iconSide = 0;

    // As large as a picture of its logical size holds at its density.
    QSize deviceSize() const;
    QImage::Format format() const;
    qsizetype byteCount() const;
};

// The charts and the panel at one device pixel to the logical one and the icon at each of its
// built sizes, and, at the other densities, the pictures the chart window's first paint shows:
// the boys' chart and the panel.
const std::vector<BuiltPicture>& builtPictureCatalogue();

} // namespace zelpo
