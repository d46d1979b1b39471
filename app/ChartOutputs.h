#pragma once

#include <functional>

#include <QObject>

class QAction;
class QPoint;

namespace zelpo {

class Clock;
class TextPrompt;
class MessageService;
class OutputDialogs;
class PerZelpo;
struct SaveChoice;
class ChildHistory;

// What sending the chart out asks of the world outside the window.
struct ChartOutputServices
{
    MessageService& messages;
    Clock& clock;
    OutputDialogs& dialogs;
    // Asks for the reason of a correction and a corrected birth date.
    TextPrompt& prompt;
    // The open child's history, whose stored weighings the page and the export show.
    zelpo::ChildHistory& history;
    // Looks up a history number typed since the last look-up, as leaving the box would, and
    // says whether it did: the command then stops, and the user asks again on the chart the
    // look-up brought.
    std::function<bool()> lookUpTypedHistory;
};

// Sending the chart out of the program: printing it, saving it as a PDF, exporting the stored
// weighings for spreadsheets and copying the chart as a picture. A right click on the chart
// (either picture, and the frame, markers and arrow over it) opens a menu of the four, and the
// shortcuts work anywhere in the chart window. None touches the readout, the cross-hair or any
// patient file, and no file written ever replaces one. A history number typed but not yet looked
// up is loaded first, as "Graficar" does, so that what goes out only ever shows the child whose
// history is loaded.
class ChartOutputs : public QObject
{
    Q_OBJECT

public:
    ChartOutputs(PerZelpo& window, ChartOutputServices services);

    // "Imprimir el gráfico…" (Ctrl+P): the print dialog, then the page's sheets on the chosen
    // printer as a job named after the child, or in the file chosen, saying where; a printer
    // that does not take the job is named and told. With no printer, the PDF is offered.
    void printChart();
    // "Guardar el gráfico como PDF…" (Ctrl+S): the save dialog, then the page as a PDF file.
    void saveChartAsPdf();
    // "Exportar las medidas (CSV)…" (Ctrl+Shift+E): the save dialog, then one row per stored
    // weighing of the child, as a Spanish spreadsheet opens it.
    void exportWeighings();
    // "Copiar el gráfico": the chart with its markers and arrow on the clipboard, as an image
    // three times the window's chart, sharp when pasted into a report.
    void copyChart();
    // "Medidas almacenadas…" (Ctrl+Shift+M): the table of the child's stored weighings, where
    // one entered in error is struck out and a wrong birth date corrected; the chart follows.
    void showStoredWeighings();

    // Where a save dialog opens: the patient file's name with `suffix` ("0004711M.pdf"), or
    // "zelpo" with it without a history number, in the user's Documents folder, or the home
    // folder when there is none.
    QString proposedPath(const QString& suffix) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addAction(const QString& text, const QKeySequence& shortcut,
                       void (ChartOutputs::*command)());
    void showMenu(const QPoint& globalPosition);
    // The file chosen in the save dialog, once the guard lets it be written; empty when the
    // dialog was cancelled or the user was told why not.
    QString chooseTarget(const SaveChoice& choice);
    // The open child, looked up and its history read again for one output; false when the
    // command stops there: a number was looked up first, or the file is in use elsewhere.
    bool historyReadAgain();
    // The save dialog, then the page of the history as read as a PDF file.
    void savePdf();
    void refuse(const QString& text);

    PerZelpo& m_window;
    ChartOutputServices m_services;
    QList<QAction*> m_actions;
};

} // namespace zelpo
