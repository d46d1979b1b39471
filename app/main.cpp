#include "app/FirstPaintReport.h"
#include "app/QtTranslation.h"
#include "app/ZelpoProgram.h"
#include "artwork/WindowIcon.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelpo"));
    // The program speaks Spanish whatever the desktop's language, and so do Qt's own texts.
    installQtSpanish();
    installFormLabelAccessibility();
    QApplication::setWindowIcon(zelpo::zelpoIcon());

    ZelpoProgram program;
    program.start();
    reportFirstPaintWhenAsked(program.chartWindow());
    return QApplication::exec();
}
