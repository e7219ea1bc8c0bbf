#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace quillet {

// The title bar a window of one size draws itself where nothing else draws
// one without maximise: a Wayland compositor that leaves the title bar to
// the program gets Qt's own, which offers maximise, and Weston ends a
// program whose window does not then fill the screen. This one has the
// caption, a minimise box and the close box; a press on it moves the window.
class OwnTitleBar : public QWidget {
    Q_OBJECT
public:
    // Puts a bar above the controls of `window`, which keep their places
    // relative to one another below it, grows the window by its height and
    // asks Qt for no title bar of its own. Before the window is first shown.
    static OwnTitleBar* Install(QWidget& window);

    QToolButton* MinimiseBox() const { return minimise_; }
    QToolButton* CloseBox() const { return close_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit OwnTitleBar(QWidget& window);
    // Active like the window's own title bar while the window is.
    QPalette::ColorGroup ColourGroup() const;
    void ShowActivation();

    QLabel* caption_;
    QToolButton* minimise_;
    QToolButton* close_;
};

}  // namespace quillet
