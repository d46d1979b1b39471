#pragma once

#include <QString>

class QPrinter;
class QWidget;

// A file to save something in, as the save dialog offers it.
struct SaveChoice
{
    QString title;        // "Guardar el gráfico como PDF"
    QString proposedPath; // the folder and name the dialog opens with
    QString filter;       // "Documentos PDF (*.pdf)"
    QString suffix;       // added to a name typed without one: "pdf"
};

// The dialogs that send the chart out of the program: the printer's and the file to save to.
// The window code asks through this interface so that tests can answer instead of a person.
class OutputDialogs
{
public:
    virtual ~OutputDialogs() = default;
    // The file chosen to save in; empty when cancelled.
    virtual QString chooseSavePath(QWidget* parent, const SaveChoice& choice) = 0;
    // Lets the user choose the printer and its settings; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};
