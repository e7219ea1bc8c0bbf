#include "platform/PlatformChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QList>
#include <QStringList>

#include <poll.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#ifdef QUILLET_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace quillet {
namespace {

// A stopped compositor accepts the connection and never answers; the user
// hears from us well within a second.
constexpr std::chrono::milliseconds kCompositorDeadline{500};

bool IsWayland(const QByteArray& platform) {
    return platform == "wayland" || platform.startsWith("wayland-");
}

// Waits for the compositor's answer to a sync request, at most `deadline`.
bool RoundTrip(wl_display* display, std::chrono::milliseconds deadline) {
    bool answered = false;
    static const wl_callback_listener kListener{
        [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
    wl_callback* callback = wl_display_sync(display);
    if (!callback) return false;
    wl_callback_add_listener(callback, &kListener, &answered);
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!answered) {
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0) break;
        if (answered) {
            wl_display_cancel_read(display);
            break;
        }
        wl_display_flush(display);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{wl_display_get_fd(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) break;
    }
    wl_callback_destroy(callback);
    return answered;
}

// A compositor that draws title bars for its clients announces the decoration
// manager among its globals, which all arrive before the answer to the first
// round trip.
CompositorAnswer AskConnected(wl_display* display) {
    bool decorations = false;
    static const wl_registry_listener kListener{
        [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            if (std::string_view(interface) == "zxdg_decoration_manager_v1")
                *static_cast<bool*>(data) = true;
        },
        [](void*, wl_registry*, uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    if (!registry) return CompositorAnswer::None;
    wl_registry_add_listener(registry, &kListener, &decorations);
    const bool answered = RoundTrip(display, kCompositorDeadline);
    wl_registry_destroy(registry);
    if (!answered) return CompositorAnswer::None;
    return decorations ? CompositorAnswer::DrawsTitleBars : CompositorAnswer::LeavesTitleBars;
}

CompositorAnswer AskCompositor(const QByteArray& name) {
    // The library's own complaints (no XDG_RUNTIME_DIR) would be a second
    // line; Qt's connection later gets them on stderr again, as by default.
    wl_log_set_handler_client([](const char*, va_list) {});
    wl_display* display = wl_display_connect(name.isEmpty() ? nullptr : name.constData());
    const CompositorAnswer answer = display ? AskConnected(display) : CompositorAnswer::None;
    if (display) wl_display_disconnect(display);
    wl_log_set_handler_client(
        [](const char* format, va_list arguments) { std::vfprintf(stderr, format, arguments); });
    return answer;
}

bool XServerAnswers(const QByteArray& display) {
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

// The directories Qt loads platform plugins from, in its order.
QStringList PlatformPluginDirectories() {
    QStringList directories;
    const QByteArray own = qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!own.isEmpty()) directories.append(QFile::decodeName(own));
    const QByteArray extra = qgetenv("QT_PLUGIN_PATH");
    for (const QByteArray& entry : extra.split(':'))
        if (!entry.isEmpty())
            directories.append(QFile::decodeName(entry) + QStringLiteral("/platforms"));
    directories.append(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
    return directories;
}

bool PluginInstalled(const QByteArray& platform) {
    // Every plugin is libq<name>.so, except that the plain Wayland one is the
    // generic plugin.
    const QByteArray file =
        "libq" + (platform == "wayland" ? QByteArray("wayland-generic") : platform) + ".so";
    for (const QString& directory : PlatformPluginDirectories())
        if (QFileInfo(QDir(directory).filePath(QFile::decodeName(file))).isFile()) return true;
    return false;
}

// The names of a Qt platform list such as "wayland;xcb" or "xcb:option".
QList<QByteArray> PlatformNames(const QByteArray& requested) {
    QList<QByteArray> names;
    for (const QByteArray& entry : requested.split(';')) {
        const QByteArray name = entry.split(':').first().trimmed();
        if (!name.isEmpty()) names.append(name);
    }
    return names;
}

std::string Quoted(const QByteArray& text) { return "\"" + text.toStdString() + "\""; }

std::string WaylandName(const DisplayEnvironment& environment) {
    return Quoted(environment.waylandDisplay.isEmpty() ? QByteArray("wayland-0")
                                                       : environment.waylandDisplay);
}

// Each refusal is named after the program when it is made (ChoosePlatform).
constexpr std::string_view kCannotOpen = "cannot open a window: ";

std::string NoPluginRefusal(const QByteArray& platform) {
    return std::string(kCannotOpen) + "Qt's platform plugin " + Quoted(platform) +
           " is not installed" + (IsWayland(platform) ? " (Debian package qt6-wayland)" : "");
}

// Checks each platform of the list Qt was given, as Qt would try them.
PlatformChoice CheckRequested(const DisplayEnvironment& environment, const DisplayProbes& probes) {
    std::string refusal;
    for (const QByteArray& platform : PlatformNames(environment.requested)) {
        const bool installed = probes.pluginInstalled(platform);
        if (platform == "xcb") {
            if (installed && probes.xServerAnswers(environment.x11Display)) return {};
            if (refusal.empty())
                refusal = !installed ? NoPluginRefusal(platform)
                          : environment.x11Display.isEmpty()
                              ? std::string(kCannotOpen) + "DISPLAY is not set"
                              : std::string(kCannotOpen) + "the X display " +
                                    Quoted(environment.x11Display) + " cannot be reached";
        } else if (IsWayland(platform)) {
            if (installed && environment.waylandSocketGiven) return {};
            const CompositorAnswer answer = installed
                                                ? probes.askCompositor(environment.waylandDisplay)
                                                : CompositorAnswer::None;
            if (answer != CompositorAnswer::None) return {{}, {}, answer};
            if (refusal.empty())
                refusal = !installed ? NoPluginRefusal(platform)
                                     : std::string(kCannotOpen) + "the Wayland display " +
                                           WaylandName(environment) + " does not answer";
        } else {
            // offscreen, vnc, eglfs and the like need no desktop session.
            if (installed) return {};
            if (refusal.empty()) refusal = NoPluginRefusal(platform);
        }
    }
    if (refusal.empty()) refusal = std::string(kCannotOpen) + "QT_QPA_PLATFORM names no platform";
    return {{}, refusal};
}

}  // namespace

DisplayProbes SystemDisplayProbes() { return {AskCompositor, XServerAnswers, PluginInstalled}; }

DisplayEnvironment CurrentDisplayEnvironment(int argc, char** argv) {
    DisplayEnvironment environment;
    environment.requested = qgetenv("QT_QPA_PLATFORM");
    // Qt takes -platform NAME (or --platform) before the variable.
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform")
            environment.requested = argv[i + 1];
    }
    environment.x11Display = qgetenv("DISPLAY");
    environment.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    environment.waylandSocketGiven = !qgetenv("WAYLAND_SOCKET").isEmpty();
    return environment;
}

namespace {

PlatformChoice Choose(const DisplayEnvironment& environment, const DisplayProbes& probes) {
    if (!environment.requested.isEmpty()) return CheckRequested(environment, probes);
    const bool waylandPlugin = probes.pluginInstalled("wayland");
    // A connection handed over in WAYLAND_SOCKET cannot be asked without
    // using it up; it was handed over to be used.
    const CompositorAnswer answer = environment.waylandSocketGiven
                                        ? CompositorAnswer::DrawsTitleBars
                                        : probes.askCompositor(environment.waylandDisplay);
    const bool compositor = answer != CompositorAnswer::None;
    if (compositor && waylandPlugin) {
        // Qt's own title bar offers maximise, which some compositors answer
        // by ending the program; through their X server the window keeps its
        // place, its size and a title bar without maximise.
        if (answer == CompositorAnswer::LeavesTitleBars &&
            probes.xServerAnswers(environment.x11Display) && probes.pluginInstalled("xcb"))
            return {"xcb", {}, answer};
        return {"wayland", {}, answer};
    }
    if (probes.xServerAnswers(environment.x11Display))
        return probes.pluginInstalled("xcb") ? PlatformChoice{"xcb", {}}
                                             : PlatformChoice{{}, NoPluginRefusal("xcb")};
    if (compositor) return {{}, NoPluginRefusal("wayland")};
    if (environment.x11Display.isEmpty() && environment.waylandDisplay.isEmpty())
        return {{},
                "no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                "set); start it from a desktop session"};
    if (!environment.x11Display.isEmpty())
        return {{},
                std::string(kCannotOpen) + "the X display " + Quoted(environment.x11Display) +
                    " cannot be reached"};
    return {{},
            std::string(kCannotOpen) + "the Wayland display " + WaylandName(environment) +
                " does not answer"};
}

}  // namespace

PlatformChoice ChoosePlatform(const DisplayEnvironment& environment, const DisplayProbes& probes,
                              std::string_view program) {
    PlatformChoice choice = Choose(environment, probes);
    if (!choice.refusal.empty()) choice.refusal = std::string(program) + ": " + choice.refusal;
    return choice;
}

}  // namespace quillet
