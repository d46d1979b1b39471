#include "procedures/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace zelpo {

WaitCursor::~WaitCursor()
{
    if (m_shown) {
        QGuiApplication::restoreOverrideCursor();
    }
}

zelpo::WhileWaiting WaitCursor::whileWaiting()
{
    return [this] { show(); };
}

void WaitCursor::show()
{
    if (!m_shown) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_shown = true;
    }
}

} // namespace zelpo
