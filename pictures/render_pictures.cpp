// Draws the pictures the windows show at one device pixel to the logical one, with the very
// artwork that draws them at any other density, and writes them out as C++ source for the program
// to keep them in: each picture's pixels as the 32-bit words of the image format a window paints
// them in, so that the program wraps them in an image as they are.
//
// Usage: zelpo_render_pictures <output source file>

#include "artwork/ChartArtwork.h"
#include "artwork/DrawnArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"

#include <cstdint>
#include <cstdio>

#include <QByteArray>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>

namespace {

QByteArray pixelWords(const char* name, const QImage& image)
{
    QByteArray text = "extern const std::uint32_t " + QByteArray(name) + "[] = {";
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            text += (x % 8 == 0 ? "\n    0x" : " 0x") + QByteArray::number(row[x], 16) + ',';
        }
    }
    return text + "\n};\n\n";
}

QImage opaqueDrawing(QSize size, const std::function<void(QPainter&)>& paint)
{
    return zelpo::drawArtwork(size, 1.0, true, paint);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: zelpo_render_pictures <output source file>\n", stderr);
        return 2;
    }
    using zelpo::ChartSex;
    QByteArray source = "// Drawn by zelpo_render_pictures as the program was built.\n"
                        "#include <cstdint>\n\nnamespace zelpo::built {\n\n";
    for (const ChartSex sex : {ChartSex::Girls, ChartSex::Boys}) {
        source += pixelWords(sex == ChartSex::Girls ? "kGirlsChart" : "kBoysChart",
                             opaqueDrawing(zelpo::chartPictureSize(sex), [sex](QPainter& painter) {
                                 zelpo::paintChart(painter, sex, zelpo::ChartDrawing::Reference);
                             }));
    }
    source += pixelWords("kPanel", opaqueDrawing(zelpo::kPanelPictureSize, zelpo::paintPanel));
    QByteArray icons = "extern const std::uint32_t* const kIcons[] = {";
    for (const int side : zelpo::kBuiltIconSizes) {
        const QByteArray name = "kIcon" + QByteArray::number(side);
        source += pixelWords(name.constData(), zelpo::windowIconImage(side));
        icons += name + ", ";
    }
    source += icons + "};\n\n} // namespace zelpo::built\n";

    QSaveFile output(arguments.at(1));
    if (!output.open(QIODevice::WriteOnly) || output.write(source) != source.size() ||
        !output.commit()) {
        std::fprintf(stderr, "zelpo_render_pictures: could not write %s\n",
                     qUtf8Printable(arguments.at(1)));
        return 1;
    }
    return 0;
}
