#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The dialogs that send the chart out of the program: the printer's and the file to save to.
// The window code asks through this interface so that tests can answer instead of a person.
class OutputDialogs
{
public:
    virtual ~OutputDialogs() = default;
    // The file to save the chart's PDF in, offered as `proposedPath`; empty when cancelled.
    virtual QString choosePdfPath(QWidget* parent, const QString& proposedPath) = 0;
    // Lets the user choose the printer and its settings; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};
