#pragma once

#include "app/DesktopAddressOpener.h"
#include "app/DialogMessageService.h"
#include "app/DialogTextPrompt.h"
#include "app/QtOutputDialogs.h"
#include "core/Clock.h"
#include "forms/Fondo.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"

#include <QObject>
#include <QSize>

namespace zelpo {

class ChartMenu;
class ChartWindowEvents;
class PerZelpo;

// The running program: the black backdrop, the chart window that belongs to it, and the
// services the chart window's handlers use.
class ZelpoProgram : public QObject
{
    Q_OBJECT

public:
    ZelpoProgram();
    ~ZelpoProgram() override;

    // Shows the backdrop, then the chart window, centred and modal over it.
    void start();

    PerZelpo& chartWindow() const { return *m_chart; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void end();

    Fondo m_fondo;
    PerZelpo* m_chart;
    SystemClock m_clock;
    DialogMessageService m_messages;
    DialogTextPrompt m_prompt;
    DesktopAddressOpener m_addresses;
    QtOutputDialogs m_outputDialogs;
    zelpo::ChildHistory m_history;
    // Whole chart or first two years, for as long as the program runs, whichever child is open.
    ChartView m_view;
    ChartWindowEvents* m_events;
    ChartMenu* m_menu;
    QSize m_centredOuterSize;
};

} // namespace zelpo
