// The honest yardstick for a program that shows text: one label and one line edit, written in the
// face Zelpo writes with, set as the application's font before any widget exists, reporting its
// first paint exactly as Zelpo does. Beside the minimal window it pays what any program showing
// text pays: fontconfig reading the system's fonts and loading one face.
#include "app/FirstPaintReport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

using namespace zelpo;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Asked for as Zelpo asks for it: by the name the system knows it by, at the layout's size.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);

    QWidget window;
    QLabel label(QStringLiteral("Nº H.Clínica :"), &window);
    label.move(10, 12);
    QLineEdit box(QStringLiteral("0"), &window);
    box.setGeometry(80, 10, 40, 19);
    window.show();
    reportFirstPaintWhenAsked(window);
    return QApplication::exec();
}
