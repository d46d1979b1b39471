#pragma once

#include <QObject>

namespace zelpo {

class Fondo;
class PerZelpo;

// Keeps the backdrop and the chart window together as one program on the desktop: whichever of
// them a window manager brings back after minimizing (Alt+Tab, the task list) brings the other
// back too, and the chart window stands in front, active, whenever the backdrop is activated, for
// instance by a click on it.
class WindowsKeptTogether : public QObject
{
    Q_OBJECT

public:
    WindowsKeptTogether(Fondo& backdrop, PerZelpo& chart);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bringBackTogether();

    Fondo& m_backdrop;
    PerZelpo& m_chart;
};

} // namespace zelpo
