#include "windows/main/SpinEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QScopedValueRollback>
#include <QToolButton>
#include <algorithm>

#include "board/IntegerText.h"

namespace quillet {

namespace {

constexpr int kArrowsLeft = 29;
constexpr int kArrowsWidth = 15;
constexpr int kArrowsHeight = 21;
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 100;

bool IsAcceptedCharacter(QChar ch) {
    return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' ||
           QLocale().decimalPoint() == QString(ch);
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(1);
    setTextMargins(0, 0, kArrowsWidth, 0);
    up_ = MakeArrow(Qt::UpArrow, +1);
    down_ = MakeArrow(Qt::DownArrow, -1);
    SetValue(kMin);
    connect(this, &QLineEdit::textEdited, this, &SpinEdit::AnnounceValue);
}

QToolButton* SpinEdit::MakeArrow(Qt::ArrowType arrow, int delta) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAccessibleName(delta > 0 ? QStringLiteral("1 増やす") : QStringLiteral("1 減らす"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kRepeatDelayMs);
    button->setAutoRepeatInterval(kRepeatIntervalMs);
    // Pressing an arrow gives the text box the focus; steps come with each
    // release, and with each repeat while held.
    connect(button, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
    return button;
}

void SpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int upHeight = (kArrowsHeight + 1) / 2;
    up_->setGeometry(kArrowsLeft, 0, kArrowsWidth, upHeight);
    down_->setGeometry(kArrowsLeft, upHeight, kArrowsWidth, kArrowsHeight - upHeight);
}

int SpinEdit::Value() const { return ParseInteger(text().toStdString()).value_or(kMin); }

void SpinEdit::WriteClamped(int value) { setText(QString::number(std::clamp(value, kMin, kMax))); }

void SpinEdit::SetValue(int value) {
    const QScopedValueRollback quiet(writingQuietly_, true);
    WriteClamped(value);
}

void SpinEdit::Step(int delta) {
    WriteClamped(Value() + delta);
    AnnounceValue();
}

void SpinEdit::TypeOver(int start, int end, const QString& typed) {
    const QString before = text();
    const int length = static_cast<int>(before.size());
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, start, length);
    setSelection(start, end - start);
    if (typed.isEmpty() && end > start) del();
    for (const QChar ch : typed) {
        if (IsAcceptedCharacter(ch))
            insert(QString(ch));
        else if (ch.isPrint())
            QApplication::beep();
    }
    if (text() != before) AnnounceValue();
}

QRect SpinEdit::CharacterRect(int offset) const {
    const QString shown = text();
    if (offset < 0 || offset >= shown.size()) return {};
    // The cursor stands after the characters before it; one character never
    // scrolls the text.
    const QFontMetrics metrics = fontMetrics();
    const QRect cursor = cursorRect();
    const int textLeft =
        cursor.center().x() - metrics.horizontalAdvance(shown.left(cursorPosition()));
    return {textLeft + metrics.horizontalAdvance(shown.left(offset)), cursor.top(),
            metrics.horizontalAdvance(shown.mid(offset, 1)), cursor.height()};
}

void SpinEdit::AnnounceValue() {
    QAccessibleValueChangeEvent changed(this, Value());
    QAccessible::updateAccessibility(&changed);
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up: Step(+1); return;
        case Qt::Key_Down: Step(-1); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: QApplication::beep(); return;
        default: break;
    }
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && typed.front().isPrint() &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (isCharacter && !IsAcceptedCharacter(typed.front())) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEdit::Normalise() {
    const int value = Value();
    if (value != std::clamp(value, kMin, kMax)) SetValue(value);
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    Normalise();
    QLineEdit::focusOutEvent(event);
}

}  // namespace quillet
