#pragma once

#include <QAccessibleWidget>

namespace quillet {

class SpinEdit;

// The digit selector as a screen reader sees it: a spin button with a value
// (the number its text reads as), the text itself, editable, and the two
// steps as actions. Whatever a reader sets is typed into the box, with the
// box's own filter and one-character limit. While a command writes the
// selector back, its text is not offered, so the write stays off the bus.
class SpinEditAccessible : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit SpinEditAccessible(SpinEdit* spin);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;

    // QAccessibleValueInterface
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // QAccessibleActionInterface: the arrows, for readers that step
    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& name) const override;
    QStringList keyBindingsForAction(const QString& name) const override;
    void doAction(const QString& name) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    SpinEdit* Spin() const;
};

}  // namespace quillet
