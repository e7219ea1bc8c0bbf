// Drawing text needs a QGuiApplication; the whole suite shares one, offscreen
// unless a platform is chosen.

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

#include "drawing/Fonts.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        quillet::InstallFontSubstitutions();
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "quillet_ui_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
