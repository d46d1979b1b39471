#pragma once

#include <QDir>
#include <QObject>

class ChartWindowEvents;
class Clock;
class MessageService;
class OutputDialogs;
class PerZelpo;
class QAction;
class QPoint;

// What printing the chart asks of the world outside the window.
struct ChartOutputServices
{
    MessageService& messages;
    Clock& clock;
    OutputDialogs& dialogs;
    // Where the patient files are, which the page's table of stored weighings reads.
    QDir patientFolder;
};

// Printing the chart and saving it as a PDF: a right click on the chart (either picture, and
// the frame, markers and arrow over it) opens a menu of both, and their shortcuts work anywhere
// in the chart window. Neither touches the readout, the cross-hair or any patient file. A
// history number typed but not yet looked up is loaded first, as "Graficar" does, so that a page
// only ever shows the child whose history is loaded.
class ChartOutputs : public QObject
{
    Q_OBJECT

public:
    ChartOutputs(PerZelpo& window, ChartWindowEvents& events, ChartOutputServices services);

    // "Imprimir el gráfico…" (Ctrl+P): the print dialog, then one page on the chosen printer.
    void printChart();
    // "Guardar el gráfico como PDF…" (Ctrl+S): the save dialog, then the page as a PDF file.
    void saveChartAsPdf();

    // Where the save dialog opens: the patient file's name with ".pdf", or "zelpo.pdf" without
    // a history number, in the user's Documents folder, or the home folder when there is none.
    QString proposedPdfPath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& globalPosition);

    PerZelpo& m_window;
    ChartWindowEvents& m_events;
    ChartOutputServices m_services;
    QAction* m_print;
    QAction* m_save;
};
