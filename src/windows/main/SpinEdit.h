#pragma once

#include <QLineEdit>

class QToolButton;

namespace quillet {

// The digit selector: a one-character text box with up and down arrows. Its
// value is read from the text whenever a command asks; setting it clamps to
// the range. It sends no change notifications.
class SpinEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMin = 1;
    static constexpr int kMax = 9;

    explicit SpinEdit(QWidget* parent = nullptr);

    // The text converted to an integer, unclamped; a text that does not
    // convert reads as the minimum.
    int Value() const;
    void SetValue(int value);
    void Step(int delta);
    // Rewrites a number outside the range in its clamped form ("0" becomes
    // "1"), as leaving the box does; any other text stays as typed.
    void Normalise();
    // Tells assistive technology the value after the user (or a reader)
    // changed it; the commands' own writes stay unannounced.
    void AnnounceValue();

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* MakeArrow(Qt::ArrowType arrow, int delta);

    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace quillet
