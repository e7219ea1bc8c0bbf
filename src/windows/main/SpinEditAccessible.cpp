#include "windows/main/SpinEditAccessible.h"

#include <cmath>

#include "windows/main/SpinEdit.h"

namespace quillet {

SpinEditAccessible::SpinEditAccessible(SpinEdit* spin)
    : QAccessibleWidget(spin, QAccessible::SpinBox) {}

SpinEdit* SpinEditAccessible::Spin() const { return static_cast<SpinEdit*>(widget()); }

void* SpinEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
        case QAccessible::ValueInterface: return static_cast<QAccessibleValueInterface*>(this);
        // Qt drops the text events of an object without a text interface,
        // and only such events: a command's write back is not heard.
        case QAccessible::TextInterface:
            return Spin()->WritingQuietly() ? nullptr
                                            : static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface:
            return Spin()->WritingQuietly() ? nullptr
                                            : static_cast<QAccessibleEditableTextInterface*>(this);
        default: return QAccessibleWidget::interface_cast(type);
    }
}

QString SpinEditAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return Spin()->text();
    return QAccessibleWidget::text(t);
}

void SpinEditAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t == QAccessible::Value) {
        replaceText(0, -1, text);
        return;
    }
    QAccessibleWidget::setText(t, text);
}

QAccessible::State SpinEditAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.selectableText = true;
    return s;
}

QVariant SpinEditAccessible::currentValue() const { return Spin()->Value(); }

// As if the user typed the number over the whole text: the box keeps its
// first character, and a 0 stays until the box is left.
void SpinEditAccessible::setCurrentValue(const QVariant& value) {
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::abs(number) > 1e9) return;
    replaceText(0, -1, QString::number(std::lround(number)));
}

QVariant SpinEditAccessible::maximumValue() const { return SpinEdit::kMax; }
QVariant SpinEditAccessible::minimumValue() const { return SpinEdit::kMin; }
QVariant SpinEditAccessible::minimumStepSize() const { return 1; }

QStringList SpinEditAccessible::actionNames() const {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

// The arrows' own names.
QString SpinEditAccessible::localizedActionDescription(const QString& name) const {
    if (name == increaseAction()) return QStringLiteral("1 増やす");
    if (name == decreaseAction()) return QStringLiteral("1 減らす");
    return QAccessibleWidget::localizedActionDescription(name);
}

QStringList SpinEditAccessible::keyBindingsForAction(const QString& name) const {
    if (name == increaseAction()) return {QStringLiteral("Up")};
    if (name == decreaseAction()) return {QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(name);
}

void SpinEditAccessible::doAction(const QString& name) {
    if (name == increaseAction() || name == decreaseAction()) {
        Spin()->Step(name == increaseAction() ? +1 : -1);
        return;
    }
    QAccessibleWidget::doAction(name);
}

void SpinEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Spin()->hasSelectedText()) return;
    *startOffset = Spin()->selectionStart();
    *endOffset = Spin()->selectionEnd();
}

int SpinEditAccessible::selectionCount() const { return Spin()->hasSelectedText() ? 1 : 0; }

void SpinEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void SpinEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) Spin()->deselect();
}

void SpinEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    const int length = characterCount();
    startOffset = std::clamp(startOffset, 0, length);
    endOffset = endOffset < 0 ? length : std::clamp(endOffset, 0, length);
    Spin()->setSelection(startOffset, endOffset - startOffset);
}

int SpinEditAccessible::cursorPosition() const { return Spin()->cursorPosition(); }

void SpinEditAccessible::setCursorPosition(int position) { Spin()->setCursorPosition(position); }

QString SpinEditAccessible::text(int startOffset, int endOffset) const {
    const QString shown = Spin()->text();
    if (endOffset < 0) endOffset = static_cast<int>(shown.size());
    if (startOffset < 0 || endOffset < startOffset) return {};
    return shown.mid(startOffset, endOffset - startOffset);
}

int SpinEditAccessible::characterCount() const { return static_cast<int>(Spin()->text().size()); }

QRect SpinEditAccessible::characterRect(int offset) const {
    const QRect local = Spin()->CharacterRect(offset);
    return local.isNull() ? local : local.translated(Spin()->mapToGlobal(QPoint(0, 0)));
}

int SpinEditAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = Spin()->mapFromGlobal(point);
    return Spin()->rect().contains(local) ? Spin()->cursorPositionAt(local) : -1;
}

// One character always shows whole.
void SpinEditAccessible::scrollToSubstring(int, int) {}

// One run of the box's own font and colours.
QString SpinEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void SpinEditAccessible::deleteText(int startOffset, int endOffset) {
    Spin()->TypeOver(startOffset, endOffset, {});
}

void SpinEditAccessible::insertText(int offset, const QString& text) {
    Spin()->TypeOver(offset, offset, text);
}

void SpinEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    Spin()->TypeOver(startOffset, endOffset, text);
}

}  // namespace quillet
