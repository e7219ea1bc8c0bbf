#include "windows/congratulation/Unit5.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <utility>

#include "board/IntegerText.h"
#include "drawing/Fonts.h"
#include "pictures/Banner.h"
#include "pictures/Pictures.h"
#include "windows/congratulation/WindowTransparency.h"

namespace quillet {

TForm5::TForm5(QWidget* parent, TimeOfDayClock clock)
    : QDialog(parent), Image1(new PictureImage(this)), clock_(std::move(clock)) {
    InstallFontSubstitutions();
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Form5"));
    setModal(true);
    // The window itself is never painted: only Image1's picture shows.
    setAttribute(Qt::WA_NoSystemBackground);
    usesScreenBackdrop_ = !PerPixelTransparencyAvailable();
    if (!usesScreenBackdrop_) setAttribute(Qt::WA_TranslucentBackground);
    resize(kSurfaceSize, kSurfaceSize);
    Image1->setGeometry(rect());
    connect(Image1, &PictureImage::clicked, this, &TForm5::Image1Click);
    // The title holds the picture number; assistive technology gets the banner.
    setAccessibleName(QStringLiteral("よくできました！"));
    setAccessibleDescription(QStringLiteral("絵をクリックすると閉じます"));
    Image1->setAccessibleName(QStringLiteral("絵"));
    Image1->setAccessibleDescription(QStringLiteral("クリックすると閉じます"));
    CentreOnScreen();
}

void TForm5::CentreOnScreen() {
    const QScreen* screen =
        parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void TForm5::SetClientHeight(int height) { resize(width(), height); }

void TForm5::SetClientWidth(int width) { resize(width, height()); }

void TForm5::FormActivate() {
    if (activated_) return;
    activated_ = true;

    random_.Randomize(clock_());
    const int pictureNumber = random_.Random(4);
    setWindowTitle(QString::number(pictureNumber));
    SetClientHeight(kSurfaceSize);
    SetClientWidth(ClientHeight());
    Image1->setGeometry(rect());

    Canvas& surface = Image1->Canvas();
    WhitenSurface(surface, ClientWidth(), ClientHeight());
    switch (ParseInteger(windowTitle().toStdString()).value_or(-1)) {
        case 0: DrawCrown(surface, ClientHeight()); break;
        case 1: DrawBlossom(surface, ClientHeight()); break;
        case 2: DrawSpiralFlowerCircle(surface, ClientHeight()); break;
        case 3: DrawRingedFlowerCircle(surface, ClientHeight()); break;
        default: break;
    }
    Image1->SetTransparent(true);
    const QString pictureNames[] = {QStringLiteral("冠の絵"), QStringLiteral("桜の絵"),
                                    QStringLiteral("渦巻きの花丸の絵"),
                                    QStringLiteral("輪の花丸の絵")};
    if (pictureNumber >= 0 && pictureNumber < 4)
        Image1->setAccessibleName(pictureNames[pictureNumber]);
}

// Without a compositor the window cannot leave pixels out one by one. A window
// mask could, but the X server then sends no click on the left-out pixels
// (the input shape never reaches past the visible one), so a click in the
// white middle of a picture would fall through to the disabled main window.
// Showing the screen as it was just before the window appears looks the same
// and keeps every pixel of the window clickable.
void TForm5::TakeScreenBackdrop() {
    if (!usesScreenBackdrop_ || !Image1->Backdrop().isNull()) return;
    QScreen* shownOn = screen();
    if (!shownOn) return;
    PaintOtherWindowsNow();
    // The first activation makes the client area the surface's size.
    Image1->SetBackdrop(shownOn->grabWindow(0, x(), y(), kSurfaceSize, kSurfaceSize));
}

// The command that opens this window has just written cells whose repaints
// wait for the event loop, and a box it closed may have left its picture on
// the screen; the copy would keep them. Each window of the program paints
// itself now, and the X server handles the painting before the copy, which
// comes over the same connection.
void TForm5::PaintOtherWindowsNow() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (window != this && window->isVisible()) window->repaint();
}

void TForm5::Image1Click() { reject(); }

void TForm5::DrawBanner(Canvas& surface, Colour colour) {
    quillet::DrawBanner(surface, colour, ClientHeight());
}

void TForm5::DrawCrown(Canvas& surface, int size) {
    quillet::DrawCrown(surface, size, ClientHeight());
}

void TForm5::DrawBlossom(Canvas& surface, int size) {
    quillet::DrawBlossom(surface, size, ClientHeight());
}

void TForm5::DrawSpiralFlowerCircle(Canvas& surface, int size) {
    quillet::DrawSpiralFlowerCircle(surface, size, ClientHeight(), random_);
}

void TForm5::DrawRingedFlowerCircle(Canvas& surface, int size) {
    quillet::DrawRingedFlowerCircle(surface, size, ClientHeight());
}

bool TForm5::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QDialog::event(event);
}

// Showing the window activates it, but a window manager may hold the focus
// back; drawing at the first showing as well keeps the picture from staying
// invisible, and unclickable, until then.
void TForm5::showEvent(QShowEvent* event) {
    TakeScreenBackdrop();  // before the window covers the screen
    QDialog::showEvent(event);
    FormActivate();
}

void TForm5::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Image1->setGeometry(rect());
}

// A dialog closes on Esc; this window binds no key.
void TForm5::keyPressEvent(QKeyEvent* event) { QWidget::keyPressEvent(event); }

void ShowCongratulationWindow(QWidget* parent) {
    QPointer<TForm5> form = new TForm5(parent);
    form->exec();
    delete form.data();
}

}  // namespace quillet
