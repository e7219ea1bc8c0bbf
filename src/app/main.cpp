#include <QApplication>

#include "app/ModalDialogs.h"
#include "drawing/Fonts.h"
#include "windows/main/Unit1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quillet::InstallFontSubstitutions();
    quillet::ModalDialogs dialogs;
    quillet::TForm1 form1(dialogs);
    form1.show();
    form1.activateWindow();
    return app.exec();
}
