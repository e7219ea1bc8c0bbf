#pragma once

#include <QString>

class QWidget;

namespace quillet {

// Every modal window the main window opens goes through here, so tests can
// replace them with recorders and never block.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An information box: program title, no icon, one OK (Enter and Esc).
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
    // The error box: stop icon, program title, one OK. `text` is final.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A new congratulation window, shown modally and destroyed after.
    virtual void ShowCongratulation(QWidget* parent) = 0;
};

}  // namespace quillet
