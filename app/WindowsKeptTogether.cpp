#include "app/WindowsKeptTogether.h"

#include "forms/Fondo.h"
#include "forms/PerZelpo.h"

#include <QApplication>
#include <QEvent>
#include <QWindowStateChangeEvent>

namespace zelpo {

WindowsKeptTogether::WindowsKeptTogether(Fondo& backdrop, PerZelpo& chart)
    : QObject(&chart), m_backdrop(backdrop), m_chart(chart)
{
    m_backdrop.installEventFilter(this);
    m_chart.installEventFilter(this);
}

bool WindowsKeptTogether::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowStateChange: {
        // Only coming back counts: a manager that minimizes the program minimizes the windows
        // one after the other, and is not to be undone halfway.
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const auto* window = static_cast<QWidget*>(watched);
        if (change->oldState().testFlag(Qt::WindowMinimized) && !window->isMinimized()) {
            bringBackTogether();
        }
        break;
    }
    case QEvent::WindowActivate:
        if (watched == &m_backdrop && m_chart.isVisible()) {
            bringBackTogether();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WindowsKeptTogether::bringBackTogether()
{
    if (m_backdrop.isMinimized()) {
        m_backdrop.setWindowState((m_backdrop.windowState() & ~Qt::WindowMinimized) |
                                  Qt::WindowFullScreen);
    }
    if (m_chart.isMinimized()) {
        m_chart.setWindowState(m_chart.windowState() & ~Qt::WindowMinimized);
    }
    // A message box open over the chart window is what the user has to answer first.
    QWidget* front = QApplication::activeModalWidget();
    if (!front) {
        front = &m_chart;
    }
    front->raise();
    front->activateWindow();
}

} // namespace zelpo
