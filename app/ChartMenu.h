#pragma once

#include "outputs/OutputRunner.h"

#include <QObject>

class QAction;
class QPoint;

namespace zelpo {

class ChartView;
class ChildHistory;
class Clock;
class FolderChildrenWindow;
class MessageService;
class PerZelpo;
class TextPrompt;

// The chart's menu: a right click on the chart (either picture, and the frame, markers and arrow
// over it) offers every output of the chart, the table of stored weighings and the view of the
// first two years, and their shortcuts work anywhere in the chart window. None touches the
// cross-hair; only the view changes what the readout reads there.
class ChartMenu : public QObject
{
    Q_OBJECT

public:
    // `prompt` asks for the reason of a correction and a corrected birth date.
    ChartMenu(PerZelpo& window, OutputServices services, TextPrompt& prompt);

    // The outputs, as the menu runs them.
    OutputRunner& outputs() { return m_outputs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& globalPosition);
    // "Medidas almacenadas…": the table of the child's stored weighings, where one entered in
    // error is struck out and a wrong birth date corrected; the chart follows the history.
    void showStoredWeighings();

    PerZelpo& m_window;
    OutputRunner m_outputs;
    // What the table of stored weighings asks, besides the outputs' reading of the history.
    ChildHistory& m_history;
    MessageService& m_messages;
    Clock& m_clock;
    ChartView& m_view;
    TextPrompt& m_prompt;
    QList<QAction*> m_actions;
    // "Niños de la carpeta…", made when first asked for and kept, hidden, once closed.
    FolderChildrenWindow* m_folderChildren = nullptr;
};

} // namespace zelpo
