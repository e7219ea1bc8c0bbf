#pragma once

#include "windows/main/Dialogs.h"

namespace quillet {

// The real boxes and the real congratulation window; only the program itself
// opens them, tests record the calls instead.
class ModalDialogs : public Dialogs {
public:
    void ShowInformation(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowCongratulation(QWidget* parent) override;
};

}  // namespace quillet
