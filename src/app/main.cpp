#include <QApplication>
#include <QDBusConnection>
#include <QIcon>

#include <cstdio>
#include <vector>

#include "app/BoardBus.h"
#include "app/ModalDialogs.h"
#include "app/StartupOptions.h"
#include "drawing/Fonts.h"
#include "platform/AccessibilityStatus.h"
#include "platform/PlatformChoice.h"
#include "windows/main/Unit1.h"

int main(int argc, char* argv[]) {
    if (const auto exitCode = quillet::AnswerInformationOption(argc, argv, stdout))
        return *exitCode;
    quillet::PlatformChoice choice = quillet::ChoosePlatform(
        quillet::CurrentDisplayEnvironment(argc, argv), quillet::SystemDisplayProbes());
    if (!choice.refusal.empty()) {
        std::fprintf(stderr, "%s\n", choice.refusal.c_str());
        return 1;
    }
    // Left to itself, Qt would try X11 under a Wayland session that does not
    // say so in XDG_SESSION_TYPE; the platform found above is named instead.
    std::vector<char*> arguments(argv, argv + argc);
    char platformOption[] = "-platform";
    if (!choice.platform.isEmpty()) {
        arguments.push_back(platformOption);
        arguments.push_back(choice.platform.data());
    }
    int argumentCount = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    quillet::AccessibilityStatus::JoinAccessibilityBusAtStart();
    QApplication app(argumentCount, arguments.data());
    quillet::AccessibilityStatus accessibilityStatus;
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUILLET_APP_ID)));
    quillet::InstallFontSubstitutions();
    quillet::ModalDialogs dialogs;
    quillet::TForm1 form1(dialogs);
    // Without a session bus the board is simply not offered.
    quillet::BoardBus boardBus(form1, QDBusConnection::sessionBus());
    boardBus.OfferAfterFirstPaint();
    form1.show();
    form1.activateWindow();
    // Qt has taken its own arguments out; what is left is ours, as bytes.
    if (const auto file = quillet::FileArgument(argumentCount, arguments.data()))
        form1.OpenHandedFile(*file);
    return app.exec();
}
