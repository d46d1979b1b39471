#include "app/QtOutputDialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

QString QtOutputDialogs::choosePdfPath(QWidget* parent, const QString& proposedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Guardar el gráfico como PDF"), proposedPath,
                       QStringLiteral("Documentos PDF (*.pdf)"));
    // The same dialog on every desktop, with the name box that accepts a typed path.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(proposedPath);
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
