#pragma once

#include "app/OutputDialogs.h"

#include <QStringList>

// Answers the output dialogs for the person in front of the screen and remembers what was
// offered: `pathToChoose` for the PDF (empty plays a cancelled dialog), no printer ever.
class ScriptedOutputDialogs final : public OutputDialogs
{
public:
    QString pathToChoose;
    QStringList offeredPaths;
    int printDialogs = 0;

    QString choosePdfPath(QWidget*, const QString& proposed) override
    {
        offeredPaths.append(proposed);
        return pathToChoose;
    }
    bool choosePrinter(QWidget*, QPrinter&) override
    {
        ++printDialogs;
        return false;
    }
};
