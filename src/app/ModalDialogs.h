#pragma once

#include "windows/main/Dialogs.h"
#include "windows/main/MessageBox.h"

namespace quillet {

// The real boxes and the real congratulation window; only the program itself
// opens them, tests record the calls instead.
class ModalDialogs : public Dialogs {
public:
    // `ownTitleBars`: the platform leaves title bars to the program, so the
    // message boxes draw theirs (OwnTitleBar.h).
    explicit ModalDialogs(bool ownTitleBars = false) : ownTitleBars_(ownTitleBars) {}

    void ShowInformation(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowCongratulation(QWidget* parent) override;

private:
    void ShowBox(QWidget* parent, MessageBox::Kind kind, const QString& text) const;

    bool ownTitleBars_;
};

}  // namespace quillet
