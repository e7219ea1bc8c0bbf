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
    // The commands' write: every placement writes the selector back, so
    // assistive technology hears nothing of it (see WritingQuietly).
    void SetValue(int value);
    // An arrow, an arrow key or a reader's step: heard as the user's change.
    void Step(int delta);
    // Types `typed` over the characters from `start` to `end` (-1: the end of
    // the text) as the keyboard would: accepted characters replace them up to
    // the one-character limit, any other printable one beeps and changes
    // nothing. What a screen reader's text or value setting does.
    void TypeOver(int start, int end, const QString& typed);
    // Rewrites a number outside the range in its clamped form ("0" becomes
    // "1"), as leaving the box does; any other text stays as typed.
    void Normalise();
    // Tells assistive technology the value after the user (or a reader)
    // changed it; the commands' own writes stay unannounced.
    void AnnounceValue();
    // True while SetValue writes the text.
    bool WritingQuietly() const { return writingQuietly_; }
    // Where the character at `offset` stands in the box; null past the text.
    QRect CharacterRect(int offset) const;

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* MakeArrow(Qt::ArrowType arrow, int delta);

    void WriteClamped(int value);

    QToolButton* up_;
    QToolButton* down_;
    bool writingQuietly_ = false;
};

}  // namespace quillet
