#include <QApplication>
#include <QIcon>

#include <cstdio>

#include "app/ModalDialogs.h"
#include "app/StartupOptions.h"
#include "drawing/Fonts.h"
#include "windows/main/Unit1.h"

int main(int argc, char* argv[]) {
    if (const auto exitCode = quillet::AnswerInformationOption(argc, argv, stdout))
        return *exitCode;
    if (const std::string reason = quillet::MissingDisplayReason(); !reason.empty()) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QUILLET_APP_ID)));
    quillet::InstallFontSubstitutions();
    quillet::ModalDialogs dialogs;
    quillet::TForm1 form1(dialogs);
    form1.show();
    form1.activateWindow();
    return app.exec();
}
