#include "app/QtTranslation.h"
#include "app/StartUp.h"
#include "app/ZelpoProgram.h"
#include "artwork/IconArtwork.h"
#include "app/FirstPaintReport.h"
#include "forms/Fonts.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"

#include <optional>

#include <QApplication>

int main(int argc, char* argv[])
{
    keepFreedMemoryReusable();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelpo"));
    // The program speaks Spanish whatever the desktop's language, and so do Qt's own texts.
    installQtSpanish();
    // Before any drawing ahead writes text: the substitutes decide its font.
    installFontSubstitutes();
    installFormLabelAccessibility();
    const auto charts = drawOpeningChartsAhead();
    // At the density the toolkit asks window icons for.
    std::optional<zelpo::IconDrawnAhead> icon(std::in_place, qApp->devicePixelRatio());
    QApplication::setWindowIcon(zelpo::zelpoIcon());

    ZelpoProgram program;
    program.start();
    // Both windows have handed their icon to the window system; a later one draws its own.
    icon.reset();
    returnFreedMemory();
    reportFirstPaintWhenAsked(program.chartWindow());
    return QApplication::exec();
}
