// Draws the pictures built into the program (pictures/BuiltPictureCatalogue.h), with the very
// artwork that draws them at any other size and density, and writes their pixels one after the
// other, as the catalogue lays them out, for the program to take in as they are: each row after
// row in the 32-bit words of the image format a window paints it in, so that the program wraps
// them in images without converting anything.
//
// Usage: zelpo_render_pictures <output file>

#include "artwork/ChartArtwork.h"
#include "artwork/DrawnArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"
#include "pictures/BuiltPictureCatalogue.h"

#include <cstdio>

#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>

namespace {

using namespace zelpo;

QImage chartDrawing(ChartSex sex, qreal pixelRatio)
{
    // At one device pixel to the logical one the charts are the reference drawing, as a window
    // there has always shown them; at any other density what a picture draws for the screen.
    const ChartDrawing drawing =
        pixelRatio == 1 ? ChartDrawing::Reference : ChartDrawing::ForTheDevice;
    return drawArtwork(chartPictureSize(sex), pixelRatio, true,
                       [&](QPainter& painter) { paintChart(painter, sex, drawing); });
}

QImage drawing(const BuiltPicture& picture)
{
    switch (picture.art) {
    case BuiltArt::GirlsChart:
        return chartDrawing(ChartSex::Girls, picture.pixelRatio);
    case BuiltArt::BoysChart:
        return chartDrawing(ChartSex::Boys, picture.pixelRatio);
    case BuiltArt::Panel:
        return drawArtwork(kPanelPictureSize, picture.pixelRatio, true, paintPanel);
    case BuiltArt::Icon:
        break;
    }
    return windowIconImage(picture.iconSide);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: zelpo_render_pictures <output file>\n", stderr);
        return 2;
    }
    QSaveFile output(arguments.at(1));
    bool written = output.open(QIODevice::WriteOnly);
    for (const BuiltPicture& picture : builtPictureCatalogue()) {
        const QImage image = drawing(picture);
        // The program finds each picture where the catalogue says it lies, so each must be
        // exactly as large and in the form the catalogue gives.
        if (image.size() != picture.deviceSize() || image.format() != picture.format() ||
            image.sizeInBytes() != picture.byteCount()) {
            std::fputs("zelpo_render_pictures: a drawing differs from the catalogue\n", stderr);
            return 1;
        }
        written = written && output.write(reinterpret_cast<const char*>(image.constBits()),
                                          image.sizeInBytes()) == image.sizeInBytes();
    }
    if (!written || !output.commit()) {
        std::fprintf(stderr, "zelpo_render_pictures: could not write %s\n",
                     qUtf8Printable(arguments.at(1)));
        return 1;
    }
    return 0;
}
