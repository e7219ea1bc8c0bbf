#include "windows/main/ControlAccessibility.h"

#include "windows/main/SpinEdit.h"
#include "windows/main/SpinEditAccessible.h"

namespace quillet {

QAccessibleInterface* MakeControlAccessible(const QString&, QObject* object) {
    if (auto* spin = qobject_cast<SpinEdit*>(object)) return new SpinEditAccessible(spin);
    return nullptr;
}

}  // namespace quillet
