#pragma once

#include <QDialog>

#include "drawing/Canvas.h"
#include "pictures/Random.h"
#include "windows/congratulation/PictureImage.h"

class QWidget;

namespace quillet {

// The borderless congratulation window. On its first activation it picks one
// of the four pictures at random, draws it once into Image1's bitmap and from
// then on shows only the drawing's strokes, fills and texts. A click on the
// picture closes it; it binds no key.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    // The clock seeds the window's generator when it is first activated.
    explicit TForm5(QWidget* parent = nullptr, TimeOfDayClock clock = CurrentUtcTimeOfDay);

    PictureImage* Image1;

    // Picks and draws the picture, once per window: a later activation must
    // not draw over it. The picked number travels through the window's title,
    // and the picture drawn is the one the title names.
    void FormActivate();
    void Image1Click();

    // The pictures draw around the middle of a size x size area; the banner
    // and the captions follow the client height.
    void DrawBanner(Canvas& surface, Colour colour);
    void DrawCrown(Canvas& surface, int size);
    void DrawBlossom(Canvas& surface, int size);
    void DrawSpiralFlowerCircle(Canvas& surface, int size);
    void DrawRingedFlowerCircle(Canvas& surface, int size);

    int ClientWidth() const { return width(); }
    int ClientHeight() const { return height(); }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CentreOnScreen();
    void TakeScreenBackdrop();
    void PaintOtherWindowsNow();
    void SetClientHeight(int height);
    void SetClientWidth(int width);

    TimeOfDayClock clock_;
    RandomGenerator random_;
    bool activated_ = false;
    // Whether the transparent pixels show a copy of the screen under the
    // window rather than being left to the compositor.
    bool usesScreenBackdrop_ = false;
};

// Opens a new congratulation window over parent, waits until it is clicked
// away and destroys it.
void ShowCongratulationWindow(QWidget* parent);

}  // namespace quillet
