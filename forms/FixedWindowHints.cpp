#include "forms/FixedWindowHints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#if defined(ZELPO_HAVE_XCB) && QT_CONFIG(xcb)
#define ZELPO_TELLS_X_WINDOW_MANAGER
#include <array>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace zelpo {

#ifdef ZELPO_TELLS_X_WINDOW_MANAGER
namespace {

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

enum Atom { SupportingWmCheck, WmName, Utf8String, WindowType, ToolbarType, DialogType, AtomCount };

std::array<xcb_atom_t, AtomCount> internAtoms(xcb_connection_t* connection)
{
    static constexpr std::array<const char*, AtomCount> names = {"_NET_SUPPORTING_WM_CHECK",
                                                                 "_NET_WM_NAME",
                                                                 "UTF8_STRING",
                                                                 "_NET_WM_WINDOW_TYPE",
                                                                 "_NET_WM_WINDOW_TYPE_TOOLBAR",
                                                                 "_NET_WM_WINDOW_TYPE_DIALOG"};
    std::array<xcb_intern_atom_cookie_t, AtomCount> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        cookies[i] =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(names[i])), names[i]);
    }
    std::array<xcb_atom_t, AtomCount> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}

ReplyPtr<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                            xcb_atom_t name, xcb_atom_t type)
{
    return ReplyPtr<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 64), nullptr));
}

// The name the running window manager gives itself, as the extended window manager hints say.
QByteArray windowManagerName(xcb_connection_t* connection,
                             const std::array<xcb_atom_t, AtomCount>& atoms)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto check = property(connection, root, atoms[SupportingWmCheck], XCB_ATOM_WINDOW);
    if (!check || check->format != 32 || xcb_get_property_value_length(check.get()) < 4) {
        return {};
    }
    const xcb_window_t manager =
        *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    const auto name = property(connection, manager, atoms[WmName], atoms[Utf8String]);
    if (!name || name->format != 8) {
        return {};
    }
    return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                      xcb_get_property_value_length(name.get()));
}

void announceAsToolbarUnderOpenbox(xcb_window_t window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return;
    }
    const std::array<xcb_atom_t, AtomCount> atoms = internAtoms(connection);
    if (windowManagerName(connection, atoms) != "Openbox") {
        return;
    }
    const std::array<xcb_atom_t, 2> types = {atoms[ToolbarType], atoms[DialogType]};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms[WindowType], XCB_ATOM_ATOM,
                        32, types.size(), types.data());
}

// The window exists on the X server once it is being shown, and the manager reads its type
// only when it is mapped, right after its show event. Asking for the window earlier would give
// every control of the chart window a window of its own.
class AnnouncedWhenShown final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            const WId window = static_cast<QWidget*>(watched)->internalWinId();
            if (window) {
                announceAsToolbarUnderOpenbox(static_cast<xcb_window_t>(window));
            }
        }
        return false;
    }
};

} // namespace
#endif

void keepWindowFixed(QWidget& window)
{
#ifdef ZELPO_TELLS_X_WINDOW_MANAGER
    if (qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb")) {
        window.installEventFilter(new AnnouncedWhenShown(&window));
    }
#else
    Q_UNUSED(window);
#endif
}

} // namespace zelpo
