#include "forms/Fondo.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#if defined(ZELPO_HAVE_XCB) && QT_CONFIG(xcb)
#define ZELPO_X_FILLS_BACKDROP
#include <xcb/xcb.h>
#endif

namespace zelpo {

namespace {

// The X server paints a window's background itself wherever the window shows, before it tells
// the program; a black background makes the backdrop whole without the program drawing a pixel.
bool xServerFillsBackgrounds()
{
#ifdef ZELPO_X_FILLS_BACKDROP
    // Other platforms may offer an X connection too, for windows that are not X windows.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection();
#else
    return false;
#endif
}

void giveBlackBackground(WId window)
{
#ifdef ZELPO_X_FILLS_BACKDROP
    xcb_connection_t* connection =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t black = screen->black_pixel;
    xcb_change_window_attributes(connection, static_cast<xcb_window_t>(window), XCB_CW_BACK_PIXEL,
                                 &black);
#else
    Q_UNUSED(window);
#endif
}

} // namespace

Fondo::Fondo()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_filledByWindowSystem(xServerFillsBackgrounds())
{
    setObjectName(QStringLiteral("fondo"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    if (m_filledByWindowSystem) {
        setAttribute(Qt::WA_NoSystemBackground);
    } else {
        setAutoFillBackground(true);
    }
    // Its rectangle when it is not filling the screen.
    setGeometry(73, 231, 491, 388);
}

void Fondo::showCoveringScreen()
{
    // Full screen is a request to the window manager; with none running the window would keep its
    // own rectangle, so it takes the screen's first.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->geometry());
    }
    showFullScreen();
}

QPaintEngine* Fondo::paintEngine() const
{
    // Nothing is painted on the screen directly: the window system fills the backdrop there, and
    // elsewhere the toolkit paints it into the window's image.
    return nullptr;
}

void Fondo::setVisible(bool visible)
{
    // A full-screen image for the toolkit to paint black would be the program's largest piece of
    // memory. Painting on the screen is chosen only as the backdrop shows: windows added to a
    // widget that paints on the screen are made at once, and the chart window, made before it is
    // placed, would not be moved into place when the window manager frames it.
    if (visible && m_filledByWindowSystem) {
        setAttribute(Qt::WA_PaintOnScreen);
    }
    QWidget::setVisible(visible);
}

bool Fondo::event(QEvent* event)
{
    // The background goes with the window the moment it exists, before it is ever shown.
    if (event->type() == QEvent::WinIdChange && m_filledByWindowSystem && internalWinId()) {
        giveBlackBackground(internalWinId());
    }
    return QWidget::event(event);
}

void Fondo::paintEvent(QPaintEvent* event)
{
    // Elsewhere the toolkit fills the background. Drawn into a picture of it, e.g. grabbed, a
    // backdrop the window system fills is black all the same.
    if (m_filledByWindowSystem && redirected(nullptr)) {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
    }
}

} // namespace zelpo
