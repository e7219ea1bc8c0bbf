#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

namespace quillet {

// The digit selector as a spin button with a value; null for anything else.
QAccessibleInterface* MakeControlAccessible(const QString& key, QObject* object);

// Makes Qt present the main window, a `MainWindow`, as a frame and the digit
// selector as a spin button with a value; the board grid has its own
// (BoardGridAccessible). A plain top-level widget would be a "filler".
template <typename MainWindow>
void InstallControlAccessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory([](const QString& key, QObject* object) {
            if (auto* window = qobject_cast<MainWindow*>(object))
                return static_cast<QAccessibleInterface*>(
                    new QAccessibleWidget(window, QAccessible::Window));
            return MakeControlAccessible(key, object);
        });
        return true;
    }();
}

}  // namespace quillet
