#pragma once

#include <QObject>
#include <QRegion>

class QWidget;

// Collects every area that a window and the controls inside it repaint, in the window's own
// coordinates, while recording. Overlapping controls that repaint the same pixels count them
// once, so the region is what really changed on the screen.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget& window);
    ~PaintRecorder() override;

    // Starts afresh: forgets what was recorded before.
    void start();
    void stop();

    QRegion painted() const { return m_painted; }
    int paintEvents() const { return m_paintEvents; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    QRegion m_painted;
    int m_paintEvents = 0;
    bool m_recording = false;
};

// The number of pixels a region covers.
qint64 pixelArea(const QRegion& region);
