#pragma once

#include <QByteArray>

#include <string>
#include <string_view>
#include <vector>

#include "platform/PlatformChoice.h"

namespace quillet {

// How each program with windows, the main window's and the coach's, starts
// Qt: the platform is chosen before Qt is created (ChoosePlatform) and named
// to it among the arguments, and Qt is told to join the accessibility bus
// (AccessibilityStatus.h, which then follows the desktop's switch).
class WindowStart {
public:
    // `program` names the program in the refusal.
    WindowStart(int argc, char** argv, std::string_view program,
                const DisplayProbes& probes = SystemDisplayProbes());
    WindowStart(const WindowStart&) = delete;
    WindowStart& operator=(const WindowStart&) = delete;

    // One line saying why no window can be opened; empty when one can. Qt is
    // then not to be started.
    const std::string& Refusal() const { return choice_.refusal; }

    // The arguments for QApplication: the program's own, followed by
    // "-platform NAME" where a platform was chosen. Qt takes its own out of
    // them; what is left is the program's.
    int& ArgumentCount() { return count_; }
    char** Arguments() { return arguments_.data(); }

    // Whether the windows must draw their own title bars: once Qt runs, on
    // Wayland with a compositor that leaves them to the program, where Qt's
    // own offers maximise to a window of one size.
    bool TitleBarsLeftToProgram() const;

private:
    PlatformChoice choice_;
    QByteArray platformOption_ = "-platform";
    std::vector<char*> arguments_;
    int count_ = 0;
};

}  // namespace quillet
