#include "app/ModalDialogs.h"

#include "windows/congratulation/Unit5.h"
#include "windows/main/OwnTitleBar.h"
#include "windows/main/ProgramTitle.h"

namespace quillet {

void ModalDialogs::ShowInformation(QWidget* parent, const QString& text) {
    ShowBox(parent, MessageBox::Kind::Information, text);
}

void ModalDialogs::ShowError(QWidget* parent, const QString& text) {
    ShowBox(parent, MessageBox::Kind::Error, text);
}

void ModalDialogs::ShowCongratulation(QWidget* parent) { ShowCongratulationWindow(parent); }

void ModalDialogs::ShowBox(QWidget* parent, MessageBox::Kind kind, const QString& text) const {
    MessageBox box(kind, ProgramTitle(), text, parent);
    // A box of one size that offered maximise would be ended by some
    // compositors with the program.
    if (ownTitleBars_) OwnTitleBar::Install(box, OwnTitleBar::Boxes::CloseOnly);
    box.exec();
}

}  // namespace quillet
