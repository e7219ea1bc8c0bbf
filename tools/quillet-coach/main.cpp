#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>

#include "CoachWindow.h"
#include "drawing/Fonts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillet-coach"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID ".Coach"));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("開いている Quillet の盤面で、次の一手を図と説明で示します。"));
    options.addHelpOption();
    options.addVersionOption();
    options.process(application);

    quillet::InstallFontSubstitutions();
    quillet::coach::CoachWindow window(QDBusConnection::sessionBus());
    window.show();
    return QApplication::exec();
}
