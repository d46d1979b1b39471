#pragma once

#include "app/OutputDialogs.h"

#include <QStringList>

// Chooses the PDF's path and the printer on behalf of the person in front of the screen and
// remembers what was offered. An empty path, or no printer, plays a cancelled dialog.
class ScriptedOutputDialogs final : public OutputDialogs
{
public:
    QString pathToChoose;
    QStringList offeredPaths;
    int printDialogs = 0;

    QString choosePdfPath(QWidget*, const QString& proposedPath) override
    {
        offeredPaths.append(proposedPath);
        return pathToChoose;
    }
    bool choosePrinter(QWidget*, QPrinter&) override
    {
        ++printDialogs;
        return false;
    }
};
