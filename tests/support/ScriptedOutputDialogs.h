#pragma once

#include "core/OutputDialogs.h"

#include <functional>

#include <QPrinter>
#include <QStringList>

// Answers the output dialogs and remembers the paths offered: `pathToChoose` for a file to save,
// the printer `printerToChoose`, or else a printer printing to the file `printTo`; nothing
// chosen plays a cancelled dialog, and `noPrinter` a machine without printers. `whileOpen` runs
// once a printer is chosen, before the dialog closes.
struct ScriptedOutputDialogs final : zelpo::OutputDialogs
{
    QString pathToChoose, printTo, printerToChoose;
    bool noPrinter = false;
    std::function<void()> whileOpen = [] {};
    QStringList offeredPaths;

    QString chooseSavePath(QWidget*, const zelpo::SaveChoice& choice) override
    {
        offeredPaths.append(choice.proposedPath);
        return pathToChoose;
    }
    zelpo::PrinterChoice choosePrinter(QWidget*, QPrinter& printer,
                                       const QString& proposed) override
    {
        offeredPaths.append(proposed);
        if (noPrinter)
            return zelpo::PrinterChoice::NoPrinter;
        if (!printerToChoose.isEmpty()) {
            printer.setPrinterName(printerToChoose);
            whileOpen();
            return zelpo::PrinterChoice::Chosen;
        }
        printer.setOutputFileName(printTo);
        return printTo.isEmpty() ? zelpo::PrinterChoice::Cancelled : zelpo::PrinterChoice::Chosen;
    }
};
