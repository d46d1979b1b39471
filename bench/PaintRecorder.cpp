#include "bench/PaintRecorder.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QWidget>

PaintRecorder::PaintRecorder(QWidget& window) : m_window(window)
{}

PaintRecorder::~PaintRecorder()
{
    stop();
}

void PaintRecorder::start()
{
    m_painted = QRegion();
    m_paintEvents = 0;
    if (!m_recording) {
        // Every control receives its own paint event, so only the application sees them all.
        QCoreApplication::instance()->installEventFilter(this);
        m_recording = true;
    }
}

void PaintRecorder::stop()
{
    if (m_recording) {
        QCoreApplication::instance()->removeEventFilter(this);
        m_recording = false;
    }
}

bool PaintRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != &m_window && !m_window.isAncestorOf(widget)) {
        return false;
    }
    const QPoint offset = widget->mapTo(&m_window, QPoint(0, 0));
    m_painted += static_cast<QPaintEvent*>(event)->region().translated(offset);
    ++m_paintEvents;
    return false;
}

qint64 pixelArea(const QRegion& region)
{
    qint64 area = 0;
    for (const QRect& rect : region) {
        area += qint64(rect.width()) * rect.height();
    }
    return area;
}
