#include "app/QtOutputDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace zelpo {

QString QtOutputDialogs::chooseSavePath(QWidget* parent, const SaveChoice& choice)
{
    QFileDialog dialog(parent, choice.title, choice.proposedPath, choice.filter);
    // The same dialog on every desktop, with the name box that accepts a typed path.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(choice.suffix);
    dialog.selectFile(choice.proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().first();
}

PrinterChoice QtOutputDialogs::choosePrinter(QWidget* parent, QPrinter& printer,
                                             const QString& proposedFile)
{
    // Without a printer Qt's dialog offers only a file in the home folder, which looks like
    // printing and is not.
    const QString printerName = QPrinterInfo::defaultPrinterName();
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty()) {
        return PrinterChoice::NoPrinter;
    }
    // The dialog's file box shows the printer's file name; the printer chosen stays the
    // default one.
    printer.setOutputFileName(proposedFile);
    printer.setPrinterName(printerName.isEmpty() ? printers.first() : printerName);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimir el gráfico"));
    // The table's sheets go together: there is no range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted ? PrinterChoice::Chosen : PrinterChoice::Cancelled;
}

} // namespace zelpo
