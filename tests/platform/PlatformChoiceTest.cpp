#include <gtest/gtest.h>

#include "platform/PlatformChoice.h"

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

TEST(PlatformChoice, WaylandWhenACompositorAnswersAndQtCanSpeakToIt) {
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

TEST(PlatformChoice, NoDisplayGivesOneLineNamingIt) {
    const Desktop none;
    const PlatformChoice choice = ChoosePlatform(Session(), none.Probes());
    EXPECT_EQ(choice.refusal,
              "quillet: cannot open a window: the X display \":1\" cannot be reached");
    const PlatformChoice waylandOnly = ChoosePlatform({{}, {}, "wayland-1", false}, none.Probes());
    EXPECT_EQ(waylandOnly.refusal,
              "quillet: cannot open a window: the Wayland display \"wayland-1\" does not answer");
}

TEST(PlatformChoice, ARequestedPlatformIsOnlyChecked) {
    const Desktop onlyX{false, true};
    // Qt falls back along the list by itself; the program names nothing.
    const PlatformChoice listed = ChoosePlatform(Session("wayland;xcb"), onlyX.Probes());
    EXPECT_TRUE(listed.platform.isEmpty());
    EXPECT_TRUE(listed.refusal.empty());
    EXPECT_NE(ChoosePlatform(Session("wayland"), onlyX.Probes()).refusal.find("does not answer"),
              std::string::npos);
    EXPECT_TRUE(ChoosePlatform(Session("offscreen:size=10x10"), onlyX.Probes()).refusal.empty());
    EXPECT_EQ(ChoosePlatform(Session("eglfs"), onlyX.Probes()).refusal,
              "quillet: cannot open a window: Qt's platform plugin \"eglfs\" is not installed");

    // A connection handed over in WAYLAND_SOCKET is not probed: that would use it up.
    const Desktop none{false, false};
    EXPECT_TRUE(ChoosePlatform({"wayland", {}, {}, true}, none.Probes()).refusal.empty());
}

// Qt's own title bar would offer maximise: the compositor's X server is taken
// where there is one, and Qt's platform for it.
TEST(PlatformChoice, XWaylandWhereTheCompositorLeavesTheTitleBarToTheProgram) {
    Desktop weston{true, true};
    weston.titleBarsByCompositor = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "xcb");
    // Told to use Wayland, Qt's own choice stands.
    const PlatformChoice told = ChoosePlatform(Session("wayland"), weston.Probes());
    EXPECT_TRUE(told.platform.isEmpty() && told.refusal.empty());

    weston.xcbPlugin = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "wayland");
    weston.xcbPlugin = true;
    weston.xServer = false;
    EXPECT_EQ(ChoosePlatform(Session(), weston.Probes()).platform, "wayland");
    EXPECT_EQ(ChoosePlatform({{}, {}, "wayland-1", false}, weston.Probes()).platform, "wayland");
}
