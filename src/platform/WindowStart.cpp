#include "platform/WindowStart.h"

#include <QGuiApplication>

#include "platform/AccessibilityStatus.h"

namespace quillet {

WindowStart::WindowStart(int argc, char** argv, std::string_view program,
                         const DisplayProbes& probes)
    : choice_(ChoosePlatform(CurrentDisplayEnvironment(argc, argv), probes, program)),
      arguments_(argv, argv + argc) {
    // Left to itself, Qt would try X11 under a Wayland session that does not
    // say so in XDG_SESSION_TYPE; the platform found is named instead.
    if (!choice_.platform.isEmpty()) {
        arguments_.push_back(platformOption_.data());
        arguments_.push_back(choice_.platform.data());
    }
    count_ = static_cast<int>(arguments_.size());
    arguments_.push_back(nullptr);
    if (choice_.refusal.empty()) AccessibilityStatus::JoinAccessibilityBusAtStart();
}

bool WindowStart::TitleBarsLeftToProgram() const {
    const QString platform = QGuiApplication::platformName();
    return choice_.compositor == CompositorAnswer::LeavesTitleBars &&
           (platform == QStringLiteral("wayland") ||
            platform.startsWith(QStringLiteral("wayland-")));
}

}  // namespace quillet
