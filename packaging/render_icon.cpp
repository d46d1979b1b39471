// Draws the program's icon into a PNG file at build time, with the very code that draws the
// window icon, so that the desktop's launcher shows the same two bears as the running program.
//
// Usage: zelpo_render_icon <size in pixels> <output PNG file>

#include "artwork/IconArtwork.h"

#include <cstdio>

#include <QGuiApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    bool sizeRead = false;
    const int size = arguments.value(1).toInt(&sizeRead);
    if (arguments.size() != 3 || !sizeRead || size < 16 || size > 1024) {
        std::fputs("usage: zelpo_render_icon <size in pixels, 16 to 1024> <output PNG file>\n",
                   stderr);
        return 2;
    }
    const QString output = arguments.at(2);
    if (!zelpo::renderIconImage(size).save(output, "PNG")) {
        std::fprintf(stderr, "zelpo_render_icon: could not write %s\n", qUtf8Printable(output));
        return 1;
    }
    return 0;
}
