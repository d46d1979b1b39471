#pragma once

#include <QWidget>

namespace zelpo {

// The black backdrop that covers the screen behind the chart window.
class Fondo : public QWidget
{
    Q_OBJECT

public:
    Fondo();

    // Shows the backdrop over the whole primary screen, with or without a window manager.
    void showCoveringScreen();

    // Where the window system fills the backdrop with black by itself, the toolkit keeps no
    // screen-sized image of it and paints nothing on the screen.
    QPaintEngine* paintEngine() const override;
    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_filledByWindowSystem = false;
};

} // namespace zelpo
