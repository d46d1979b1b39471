#include "app/FirstPaintReport.h"
#include "app/QtTranslation.h"
#include "app/ZelpoProgram.h"
#include "forms/Fonts.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"
#include "pictures/WindowIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    zelpo::setApplicationFont();
    QApplication::setApplicationName(QStringLiteral("Zelpo"));
    // The program speaks Spanish whatever the desktop's language, and so do Qt's own texts.
    zelpo::installQtSpanish();
    zelpo::installFormLabelAccessibility();
    QApplication::setWindowIcon(zelpo::zelpoIcon());

    zelpo::ZelpoProgram program;
    program.start();
    zelpo::reportFirstPaintWhenAsked(program.chartWindow());
    return QApplication::exec();
}
