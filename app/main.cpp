#include "app/FirstPaintReport.h"
#include "app/ZelpoProgram.h"
#include "forms/Fonts.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"
#include "forms/artwork/IconArtwork.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelpo"));
    QApplication::setWindowIcon(zelpo::zelpoIcon());
    installFontSubstitutes();
    installFormLabelAccessibility();

    ZelpoProgram program;
    program.start();
    reportFirstPaintWhenAsked(program.chartWindow());
    return QApplication::exec();
}
