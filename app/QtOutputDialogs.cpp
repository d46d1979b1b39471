#include "app/QtOutputDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

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

bool QtOutputDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimir el gráfico"));
    // One page: there is no range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}
