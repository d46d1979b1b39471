// The yardstick for Zelpo's start-up and memory: a Qt Widgets program with one empty window,
// reporting its first paint exactly as Zelpo does.
#include "app/FirstPaintReport.h"

#include <QApplication>
#include <QWidget>

using namespace zelpo;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    reportFirstPaintWhenAsked(window);
    return QApplication::exec();
}
