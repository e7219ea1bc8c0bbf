// Takes a picture of the coach as it shows the open window's board, for the
// user guide: coach-screenshot OUT.png [PARTS] (docs/images/make-coach-screenshots),
// PARTS presses of "次の場合" first (0 by default).
#include <QApplication>
#include <QDBusConnection>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "coach/CoachWindow.h"
#include "drawing/Fonts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fputs("usage: coach-screenshot OUT.png [PARTS]\n", stderr);
        return 2;
    }
    const int parts = argc == 3 ? std::atoi(argv[2]) : 0;
    quillet::InstallFontSubstitutions();
    quillet::coach::CoachWindow window(QDBusConnection::sessionBus());
    window.resize(520, 720);
    window.show();
    QObject::connect(&window, &quillet::coach::CoachWindow::AdviceShown, &window, [&] {
        auto* nextCase = window.findChild<QPushButton*>(QStringLiteral("nextCase"));
        for (int i = 0; i < parts && nextCase; ++i) nextCase->click();
        // After the repaint that the advice asked for.
        QTimer::singleShot(0, &window, [&] {
            QApplication::exit(window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1);
        });
    });
    QTimer::singleShot(120000, &application, [] {
        std::fputs("coach-screenshot: no advice within two minutes\n", stderr);
        QApplication::exit(1);
    });
    return QApplication::exec();
}
