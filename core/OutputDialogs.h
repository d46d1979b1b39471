#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace zelpo {

// A file to save something in, as the save dialog offers it.
struct SaveChoice
{
    QString title;        // "Guardar el gráfico como PDF"
    QString proposedPath; // the folder and name the dialog opens with
    QString filter;       // "Documentos PDF (*.pdf)"
    QString suffix;       // added to a name typed without one: "pdf"
};

// What became of the print dialog.
enum class PrinterChoice { Chosen, Cancelled, NoPrinter };

// The dialogs that send the chart out of the program: the printer's and the file to save to.
// The window code asks through this interface so that tests can answer instead of a person.
class OutputDialogs
{
public:
    virtual ~OutputDialogs() = default;
    // The file chosen to save in; empty when cancelled.
    virtual QString chooseSavePath(QWidget* parent, const SaveChoice& choice) = 0;
    // Lets the user choose the printer and its settings, printing to a file offered as
    // `proposedFile`; NoPrinter, with no dialog, when the machine has none installed.
    virtual PrinterChoice choosePrinter(QWidget* parent, QPrinter& printer,
                                        const QString& proposedFile) = 0;
};

} // namespace zelpo
