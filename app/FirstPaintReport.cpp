#include "app/FirstPaintReport.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QtGlobal>

namespace zelpo {

namespace {

class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget& window, std::FILE* out) : QObject(&window), m_out(out) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    std::FILE* m_out;
    bool m_painting = false;
};

bool FirstPaintWatcher::eventFilter(QObject* watched, QEvent* event)
{
    // The window's paint event comes first in a pass that goes on to paint the controls and
    // then put the result on the screen; the line waits until that whole pass has returned.
    if (event->type() == QEvent::Paint && !m_painting) {
        m_painting = true;
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &FirstPaintWatcher::report, Qt::QueuedConnection);
    }
    return false;
}

void FirstPaintWatcher::report()
{
    std::fputs(kFirstPaintLine, m_out);
    std::fputc('\n', m_out);
    std::fflush(m_out);
    deleteLater();
}

} // namespace

bool reportFirstPaintWhenAsked(QWidget& window, std::FILE* out)
{
    if (qEnvironmentVariableIntValue(kFirstPaintReportVariable) != 1) {
        return false;
    }
    window.installEventFilter(new FirstPaintWatcher(window, out));
    return true;
}

} // namespace zelpo
