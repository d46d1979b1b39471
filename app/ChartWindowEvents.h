#pragma once

#include "procedures/HistoryOnChart.h"
#include "procedures/PlotCommand.h"

#include <functional>

#include <QObject>
#include <QString>

namespace zelpo {

class AddressOpener;
class ChartView;
class Clock;
class MessageService;
class PerZelpo;
class ChildHistory;

// What the chart window's handlers ask of the world outside the window.
struct ChartServices
{
    MessageService& messages;
    Clock& clock;
    AddressOpener& addresses;
    // The open child's history, whose patient file lies in the program's own folder.
    zelpo::ChildHistory& history;
    // The view of the chart shown, whose scales the markers and the readout follow.
    const ChartView& view;
};

// The chart window's event wiring: each control event that has a handler runs it here, under
// the handler's own name; Enter in the weight box and F1 reach "Graficar" and "?" as well. The
// chart shows the open child's history from the start.
class ChartWindowEvents : public QObject
{
    Q_OBJECT

public:
    ChartWindowEvents(PerZelpo& window, ChartServices services, std::function<void()> endProgram);

    void Form_MouseMove(float x, float y);
    void Image1_MouseMove(float x, float y);
    void Image3_MouseMove(float x, float y);
    void Image4_MouseMove(float x, float y);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Label4_Click();
    void Label8_Click();
    void Option1_Click(int index);
    void Text1_LostFocus();
    void Text3_LostFocus();

    // The commands that take no focus ("Graficar", printing, saving) act on the child whose
    // history is loaded. When the history box holds a number typed since the last load, this
    // loads it exactly as leaving the box would, and returns true: the command then stops, and
    // the user asks again on the chart the load brought.
    bool loadTypedHistory();

protected:
    // A pointer resting on a marker asks the picture beneath for its tooltip.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();
    void loadHistory();

    PerZelpo& m_window;
    ChartServices m_services;
    std::function<void()> m_endProgram;
    HistoryOnChart* m_chart; // owned by the window
    PlotCommand m_plot;
    bool m_loadingTypedHistory = false;
};

} // namespace zelpo
