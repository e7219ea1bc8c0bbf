#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>

#include <cstdio>

#include "VersionNotice.h"
#include "coach/CoachWindow.h"
#include "drawing/Fonts.h"
#include "platform/AccessibilityStatus.h"
#include "platform/WindowStart.h"

int main(int argc, char* argv[]) {
    {
        // --help and --version answer without a display.
        QCoreApplication options(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("quillet-coach"));
        QCoreApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
        QCommandLineParser parser;
        parser.setApplicationDescription(
            QStringLiteral("開いている Quillet の盤面で、次の一手を図と説明で示します。"));
        parser.addHelpOption();
        // Qt's own version option would print the version alone.
        const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("版と使用許諾を表示します。"));
        parser.addOption(version);
        parser.process(options);
        if (parser.isSet(version)) {
            std::fputs("quillet-coach " QUILLET_VERSION "\n" QUILLET_VERSION_NOTICE, stdout);
            return 0;
        }
    }
    // As the main window starts: the same display, and a screen reader hears both.
    quillet::WindowStart start(argc, argv, "quillet-coach");
    if (!start.Refusal().empty()) {
        std::fprintf(stderr, "%s\n", start.Refusal().c_str());
        return 1;
    }
    QApplication application(start.ArgumentCount(), start.Arguments());
    quillet::AccessibilityStatus accessibilityStatus;
    QApplication::setApplicationName(QStringLiteral("quillet-coach"));
    QApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID ".Coach"));

    quillet::InstallFontSubstitutions();
    quillet::coach::CoachWindow window(QDBusConnection::sessionBus());
    window.show();
    return QApplication::exec();
}
