#include "windows/main/ControlAccessibility.h"

#include <QAccessibleWidget>

#include "windows/main/SpinEdit.h"
#include "windows/main/SpinEditAccessible.h"
#include "windows/main/Unit1.h"

namespace quillet {
namespace {

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
