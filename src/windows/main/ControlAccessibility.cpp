#include "windows/main/ControlAccessibility.h"

#include <QAccessibleWidget>
#include <cmath>

#include "windows/main/SpinEdit.h"
#include "windows/main/Unit1.h"

namespace quillet {
namespace {

// The digit selector: a spin button whose value is the number its text reads
// as. It offers no text interface, so the text that every placement writes
// back stays off the bus; a reader hears the value when the user or the
// reader changes it.
class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinEditAccessible(SpinEdit* spin) : QAccessibleWidget(spin, QAccessible::SpinBox) {}

    SpinEdit* Spin() const { return static_cast<SpinEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Spin()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        return s;
    }

    // QAccessibleValueInterface
    QVariant currentValue() const override { return Spin()->Value(); }
    // As if the user typed the number over the whole text: the box keeps its
    // first character, and a 0 stays until the box is left.
    void setCurrentValue(const QVariant& value) override {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::abs(number) > 1e9) return;
        Spin()->setText(QString::number(std::lround(number)));
        Spin()->AnnounceValue();
    }
    QVariant maximumValue() const override { return SpinEdit::kMax; }
    QVariant minimumValue() const override { return SpinEdit::kMin; }
    QVariant minimumStepSize() const override { return 1; }

    // The arrows, for readers that step rather than set.
    QStringList actionNames() const override {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == increaseAction() || name == decreaseAction()) {
            Spin()->Step(name == increaseAction() ? +1 : -1);
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* MakeControlAccessible(const QString&, QObject* object) {
    if (auto* spin = qobject_cast<SpinEdit*>(object)) return new SpinEditAccessible(spin);
    // A plain top-level widget would be a "filler"; the main window is a frame.
    if (auto* form = qobject_cast<TForm1*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

}  // namespace

void InstallControlAccessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(MakeControlAccessible);
        return true;
    }();
}

}  // namespace quillet
