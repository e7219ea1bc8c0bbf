#include "app/StartupOptions.h"

#include <QByteArray>
#include <QList>

#include <cstring>
#include <filesystem>
#include <string_view>

#ifdef QUILLET_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace quillet {
namespace {

constexpr const char* kHelp =
    "Usage: quillet [--help | --version]\n"
    "Quillet is an assistant for solving 9x9 number-place (sudoku) puzzles by hand.\n"
    "It opens its window in the current directory, where it lists, saves and loads\n"
    "boards (*.cgd files of 81 lines). See quillet(1).\n";

bool CanReachX11(const QByteArray& display) {
    if (display.isEmpty()) return false;
#ifdef QUILLET_HAVE_XCB
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
#else
    return true;
#endif
}

bool CanReachWayland(const QByteArray& display) {
    if (display.isEmpty()) return false;
    const std::filesystem::path socket(display.toStdString());
    if (socket.is_absolute()) return std::filesystem::exists(socket);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() &&
           std::filesystem::exists(std::filesystem::path(runtime.toStdString()) / socket);
}

// The platforms Qt would try: the list in QT_QPA_PLATFORM, or X11, with
// Wayland first in a Wayland session.
QList<QByteArray> CandidatePlatforms() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    QList<QByteArray> names;
    if (!chosen.isEmpty()) {
        for (const QByteArray& entry : chosen.split(';'))
            names.append(entry.split(':').first().trimmed());
        return names;
    }
    if (qgetenv("XDG_SESSION_TYPE") == "wayland") names.append("wayland");
    names.append("xcb");
    return names;
}

}  // namespace

std::optional<int> AnswerInformationOption(int argc, char** argv, std::FILE* out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::fprintf(out, "quillet %s\n", QUILLET_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::fputs(kHelp, out);
            return 0;
        }
    }
    return std::nullopt;
}

std::string MissingDisplayReason() {
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    for (const QByteArray& platform : CandidatePlatforms()) {
        if (platform == "xcb") {
            if (CanReachX11(x11)) return {};
        } else if (platform == "wayland" || platform.startsWith("wayland-")) {
            if (CanReachWayland(wayland.isEmpty() ? QByteArray("wayland-0") : wayland)) return {};
        } else {
            // offscreen, vnc, eglfs and the like need no desktop session.
            return {};
        }
    }
    if (x11.isEmpty() && wayland.isEmpty())
        return "quillet: no display to open a window on (DISPLAY is not set); start it from a "
               "desktop session";
    if (!x11.isEmpty())
        return "quillet: cannot open a window: the X display \"" + x11.toStdString() +
               "\" cannot be reached";
    return "quillet: cannot open a window: the Wayland display \"" + wayland.toStdString() +
           "\" cannot be reached";
}

}  // namespace quillet
