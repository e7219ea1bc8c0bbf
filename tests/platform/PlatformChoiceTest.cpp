#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/PlatformChoice.h"
#include "platform/WindowStart.h"

using namespace quillet;

namespace {

// What the desktop answers, as the probes would find it.
struct Desktop {
    bool compositor = false;
    bool xServer = false;
    bool waylandPlugin = true;
    bool xcbPlugin = true;
    bool titleBarsByCompositor = true;

    DisplayProbes Probes() const {
        return {[this](const QByteArray&) {
                    if (!compositor) return CompositorAnswer::None;
                    return titleBarsByCompositor ? CompositorAnswer::DrawsTitleBars
                                                 : CompositorAnswer::LeavesTitleBars;
                },
                [this](const QByteArray& display) { return xServer && !display.isEmpty(); },
                [this](const QByteArray& platform) {
                    if (platform.startsWith("wayland")) return waylandPlugin;
                    return platform == "xcb" ? xcbPlugin : platform == "offscreen";
                }};
    }
};

DisplayEnvironment Session(QByteArray requested = {}) {
    return {std::move(requested), ":1", "wayland-1", false};
}

}  // namespace

// Both programs with windows, the main window's and the coach's, choose
// alike; each names itself in its refusal.
class PlatformChoiceTest : public ::testing::TestWithParam<std::string> {
protected:
    PlatformChoice ChoosePlatform(const DisplayEnvironment& environment,
                                  const DisplayProbes& probes) const {
        return quillet::ChoosePlatform(environment, probes, GetParam());
    }
    std::string Refusal(const std::string& why) const { return GetParam() + ": " + why; }
};

INSTANTIATE_TEST_SUITE_P(Programs, PlatformChoiceTest,
                         ::testing::Values("quillet", "quillet-coach"), [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_P(PlatformChoiceTest, WaylandWhenACompositorAnswersAndQtCanSpeakToIt) {
    const Desktop both{true, true};
    EXPECT_EQ(ChoosePlatform(Session(), both.Probes()).platform, "wayland");

    Desktop noPlugin{true, true, false};
    EXPECT_EQ(ChoosePlatform(Session(), noPlugin.Probes()).platform, "xcb");
    noPlugin.xServer = false;
    const PlatformChoice refused = ChoosePlatform(Session(), noPlugin.Probes());
    EXPECT_TRUE(refused.platform.isEmpty());
    EXPECT_NE(refused.refusal.find("qt6-wayland"), std::string::npos) << refused.refusal;

    const Desktop onlyX{false, true};
    EXPECT_EQ(ChoosePlatform(Session(), onlyX.Probes()).platform, "xcb");
}

TEST_P(PlatformChoiceTest, NoDisplayGivesOneLineNamingIt) {
    const Desktop none;
    const PlatformChoice choice = ChoosePlatform(Session(), none.Probes());
    EXPECT_EQ(choice.refusal,
              Refusal("cannot open a window: the X display \":1\" cannot be reached"));
    const PlatformChoice waylandOnly = ChoosePlatform({{}, {}, "wayland-1", false}, none.Probes());
    EXPECT_EQ(waylandOnly.refusal,
              Refusal("cannot open a window: the Wayland display \"wayland-1\" does not answer"));
}

TEST_P(PlatformChoiceTest, ARequestedPlatformIsOnlyChecked) {
    const Desktop onlyX{false, true};
    // Qt falls back along the list by itself; the program names nothing.
    const PlatformChoice listed = ChoosePlatform(Session("wayland;xcb"), onlyX.Probes());
    EXPECT_TRUE(listed.platform.isEmpty());
    EXPECT_TRUE(listed.refusal.empty());
    EXPECT_NE(ChoosePlatform(Session("wayland"), onlyX.Probes()).refusal.find("does not answer"),
              std::string::npos);
    EXPECT_TRUE(ChoosePlatform(Session("offscreen:size=10x10"), onlyX.Probes()).refusal.empty());
    EXPECT_EQ(ChoosePlatform(Session("eglfs"), onlyX.Probes()).refusal,
              Refusal("cannot open a window: Qt's platform plugin \"eglfs\" is not installed"));

    // A connection handed over in WAYLAND_SOCKET is not probed: that would use it up.
    const Desktop none{false, false};
    EXPECT_TRUE(ChoosePlatform({"wayland", {}, {}, true}, none.Probes()).refusal.empty());
}

// Qt's own title bar would offer maximise: the compositor's X server is taken
// where there is one, and Qt's platform for it.
TEST_P(PlatformChoiceTest, XWaylandWhereTheCompositorLeavesTheTitleBarToTheProgram) {
    Desktop weston{true, true};
    weston.titleBarsByCompositor = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "xcb");
    // Told to use Wayland, Qt's own choice stands.
    const PlatformChoice told = ChoosePlatform(Session("wayland"), weston.Probes());
    EXPECT_TRUE(told.platform.isEmpty() && told.refusal.empty());
    // Where Qt ends up natively, the windows draw their own title bars.
    EXPECT_EQ(told.compositor, CompositorAnswer::LeavesTitleBars);

    weston.xcbPlugin = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "wayland");
    weston.xcbPlugin = true;
    weston.xServer = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "wayland");
    EXPECT_EQ(ChoosePlatform({{}, {}, "wayland-1", false}, weston.Probes()).platform, "wayland");
}

// What the program's main hands to Qt: its own arguments, then the platform.
TEST_P(PlatformChoiceTest, TheStartNamesTheChoiceToQtAfterTheProgramsArguments) {
    ::setenv("DISPLAY", ":1", 1);
    ::setenv("WAYLAND_DISPLAY", "wayland-1", 1);
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("WAYLAND_SOCKET");
    std::string program = GetParam(), file = "board.cgd";
    char* argv[] = {program.data(), file.data(), nullptr};
    auto arguments = [](WindowStart& start) {
        return std::vector<std::string>(start.Arguments(),
                                        start.Arguments() + start.ArgumentCount());
    };

    const Desktop onlyX{false, true};
    WindowStart onX(2, argv, GetParam(), onlyX.Probes());
    EXPECT_TRUE(onX.Refusal().empty());
    EXPECT_EQ(arguments(onX), (std::vector<std::string>{program, file, "-platform", "xcb"}));
    EXPECT_EQ(onX.Arguments()[onX.ArgumentCount()], nullptr);

    const Desktop none;
    EXPECT_EQ(WindowStart(2, argv, GetParam(), none.Probes()).Refusal(),
              Refusal("cannot open a window: the X display \":1\" cannot be reached"));

    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    WindowStart told(2, argv, GetParam(), onlyX.Probes());
    EXPECT_EQ(arguments(told), (std::vector<std::string>{program, file}));
}
