#include "app/WindowFocus.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <optional>

#ifdef QUILLET_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace quillet {
namespace {

bool QtCallsThisProgramActive() { return QGuiApplication::focusWindow() != nullptr; }

#ifdef QUILLET_HAVE_XCB
using Reply = std::unique_ptr<void, decltype(&std::free)>;

bool IsOneOfOurWindows(xcb_window_t window) {
    for (QWindow* ours : QGuiApplication::allWindows())
        if (ours->handle() && ours->winId() == window) return true;
    return false;
}

// The window holding the X input focus, or one of its ancestors, is ours.
// nullopt where the server names no window: focus then follows the pointer
// or is nowhere, and Qt's word is all there is.
std::optional<bool> XServerSaysFocusIsOurs(xcb_connection_t* connection) {
    Reply focus(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr),
                &std::free);
    if (!focus) return std::nullopt;
    xcb_window_t window = static_cast<xcb_get_input_focus_reply_t*>(focus.get())->focus;
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT) return std::nullopt;
    // A window manager may give the focus to a frame or a child of ours.
    for (int depth = 0; window != XCB_NONE && depth < 16; ++depth) {
        if (IsOneOfOurWindows(window)) return true;
        Reply tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr),
                   &std::free);
        if (!tree) return false;
        const auto* node = static_cast<xcb_query_tree_reply_t*>(tree.get());
        if (node->parent == node->root) return false;
        window = node->parent;
    }
    return false;
}

xcb_connection_t* XConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}
#endif

}  // namespace

bool FocusIsInThisProgram() {
#ifdef QUILLET_HAVE_XCB
    if (xcb_connection_t* connection = XConnection())
        if (const std::optional<bool> ours = XServerSaysFocusIsOurs(connection)) return *ours;
#endif
    return QtCallsThisProgramActive();
}

FocusReports::FocusReports(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

FocusReports::~FocusReports() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool FocusReports::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef QUILLET_HAVE_XCB
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_FOCUS_IN) return false;
    const auto* focusIn = static_cast<const xcb_focus_in_event_t*>(message);
    // Sent only because the pointer is over the window: not the focus.
    if (focusIn->detail == XCB_NOTIFY_DETAIL_POINTER) return false;
    // Once Qt has taken the event in; the event stays Qt's.
    QTimer::singleShot(0, this, &FocusReports::FocusMayHaveCome);
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

}  // namespace quillet
