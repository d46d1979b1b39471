#include "app/ZelpoProgram.h"

#include "app/ChartMenu.h"
#include "app/ChartWindowEvents.h"
#include "app/StartUp.h"
#include "app/WindowsKeptTogether.h"
#include "forms/FixedWindowHints.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "procedures/HistoryLoader.h"

#include <QCoreApplication>
#include <QEvent>

namespace zelpo {

ZelpoProgram::ZelpoProgram()
    : m_chart(new PerZelpo(&m_fondo)), m_messages(m_chart), m_prompt(m_chart),
      m_history(programFolder(), childNamedByBoxes(*m_chart)),
      m_events(new ChartWindowEvents(*m_chart,
                                     {m_messages, m_clock, m_addresses, m_history, m_view}, &end)),
      m_menu(new ChartMenu(*m_chart,
                           {m_messages, m_clock, m_outputDialogs, m_history,
                            [this] { return m_events->loadTypedHistory(); }, m_view},
                           m_prompt))
{
    // Both ways out of the chart window end the program: "Fin" and the close box.
    connect(m_chart, &PerZelpo::closed, this, &ZelpoProgram::end);
    m_chart->installEventFilter(this);
}

ZelpoProgram::~ZelpoProgram() = default;

void ZelpoProgram::start()
{
    m_fondo.showCoveringScreen();
    loadChartWindow(*m_chart);
    m_centredOuterSize = m_chart->frameGeometry().size();
    m_chart->setWindowModality(Qt::ApplicationModal);
    keepWindowFixed(*m_chart);
    new WindowsKeptTogether(m_fondo, *m_chart);
    m_chart->show();
}

bool ZelpoProgram::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager adds its caption and border only once the window is shown; the window
    // is centred again by its real outer size as soon as that is known.
    if (watched == m_chart && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QSize outer = m_chart->frameGeometry().size();
        if (outer != m_centredOuterSize) {
            m_centredOuterSize = outer;
            centreChartWindow(*m_chart);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ZelpoProgram::end()
{
    QCoreApplication::exit(0);
}

} // namespace zelpo
