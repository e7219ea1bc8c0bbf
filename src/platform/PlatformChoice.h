#pragma once

#include <QByteArray>

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// How a Wayland compositor answered, if at all.
enum class CompositorAnswer {
    None,
    // It offers to draw the title bars (xdg-decoration).
    DrawsTitleBars,
    // It leaves the title bar to the program, and Qt would draw its own,
    // which offers maximise to a window of one size.
    LeavesTitleBars,
};

// What the start-up asks of the desktop before Qt is created.
struct DisplayProbes {
    // How a Wayland compositor answers a round trip on this display (empty:
    // the library's default, wayland-0).
    std::function<CompositorAnswer(const QByteArray& display)> askCompositor;
    // An X server accepts a connection to this display.
    std::function<bool(const QByteArray& display)> xServerAnswers;
    // Qt's platform plugin of this name is installed where Qt looks for it.
    std::function<bool(const QByteArray& platform)> pluginInstalled;
};

// The real probes: libwayland-client, xcb and Qt's plugin directories.
DisplayProbes SystemDisplayProbes();

struct DisplayEnvironment {
    // QT_QPA_PLATFORM or the -platform argument: Qt's own choice, if any.
    QByteArray requested;
    QByteArray x11Display;
    QByteArray waylandDisplay;
    // WAYLAND_SOCKET: a connection handed over by the parent, which a probe
    // would use up.
    bool waylandSocketGiven = false;
};

// The environment and arguments as the program was started.
DisplayEnvironment CurrentDisplayEnvironment(int argc, char** argv);

struct PlatformChoice {
    // The platform to name to Qt; empty when Qt's own choice stands.
    QByteArray platform;
    // One line saying why no window can be opened; empty when one can.
    std::string refusal;
    // What the compositor answered, where it was asked.
    CompositorAnswer compositor = CompositorAnswer::None;
};

// Wayland when a compositor answers and Qt can speak to it, otherwise X11;
// but X11 through the compositor's X server when it leaves the title bar to
// the program and that server answers. A platform Qt was told to use is only
// checked. Qt's own failure to reach a display aborts the process with a core
// dump, so the program asks first. A refusal starts with `program` and ": ".
PlatformChoice ChoosePlatform(const DisplayEnvironment& environment, const DisplayProbes& probes,
                              std::string_view program);

}  // namespace quillet
