#include <QApplication>
#include <QDBusConnection>
#include <QIcon>

#include <cstdio>

#include "app/BoardBus.h"
#include "app/ModalDialogs.h"
#include "app/StartupOptions.h"
#include "drawing/Fonts.h"
#include "platform/AccessibilityStatus.h"
#include "platform/WindowStart.h"
#include "windows/main/OwnTitleBar.h"
#include "windows/main/Unit1.h"

int main(int argc, char* argv[]) {
    if (const auto exitCode = quillet::AnswerInformationOption(argc, argv, stdout))
        return *exitCode;
    quillet::WindowStart start(argc, argv, "quillet");
    if (!start.Refusal().empty()) {
        std::fprintf(stderr, "%s\n", start.Refusal().c_str());
        return 1;
    }
    QApplication app(start.ArgumentCount(), start.Arguments());
    quillet::AccessibilityStatus accessibilityStatus;
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUILLET_APP_ID)));
    quillet::InstallFontSubstitutions();
    quillet::ModalDialogs dialogs;
    quillet::TForm1 form1(dialogs);
    if (start.TitleBarsLeftToProgram()) quillet::OwnTitleBar::Install(form1);
    // Without a session bus the board is simply not offered.
    quillet::BoardBus boardBus(form1, QDBusConnection::sessionBus());
    boardBus.OfferAfterFirstPaint();
    form1.show();
    form1.activateWindow();
    // Qt has taken its own arguments out; what is left is ours, as bytes.
    if (const auto file = quillet::FileArgument(start.ArgumentCount(), start.Arguments()))
        form1.OpenHandedFile(*file);
    return app.exec();
}
