#pragma once

#include "app/OutputDialogs.h"

#include <QPrinter>
#include <QStringList>

// Answers the output dialogs for the person in front of the screen and remembers what was
// offered: `pathToChoose` for the PDF, a printer that prints to the file `printTo`; empty plays
// a cancelled dialog.
class ScriptedOutputDialogs final : public OutputDialogs
{
public:
    QString pathToChoose;
    QStringList offeredPaths;
    QString printTo;

    QString choosePdfPath(QWidget*, const QString& proposed) override
    {
        offeredPaths.append(proposed);
        return pathToChoose;
    }
    bool choosePrinter(QWidget*, QPrinter& printer) override
    {
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }
};
