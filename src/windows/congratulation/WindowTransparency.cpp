#include "windows/congratulation/WindowTransparency.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QString>

#if defined(QUILLET_HAVE_XCB) && QT_CONFIG(xcb)
#define QUILLET_ASK_X11_COMPOSITOR
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace quillet {
namespace {

#if defined(QUILLET_ASK_X11_COMPOSITOR)
// A compositing manager owns the selection _NET_WM_CM_S<screen>.
bool X11CompositorRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    const char* name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    if (!atom) return false;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}
#endif

}  // namespace

bool PerPixelTransparencyAvailable() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) return true;
#if defined(QUILLET_ASK_X11_COMPOSITOR)
    return X11CompositorRunning();
#else
    return false;
#endif
}

}  // namespace quillet
