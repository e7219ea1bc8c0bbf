#include "app/ModalDialogs.h"

#include "windows/congratulation/Unit5.h"
#include "windows/main/MessageBox.h"
#include "windows/main/ProgramTitle.h"

namespace quillet {

namespace {

void ShowBox(QWidget* parent, MessageBox::Kind kind, const QString& text) {
    MessageBox box(kind, ProgramTitle(), text, parent);
    box.exec();
}

}  // namespace

void ModalDialogs::ShowInformation(QWidget* parent, const QString& text) {
    ShowBox(parent, MessageBox::Kind::Information, text);
}

void ModalDialogs::ShowError(QWidget* parent, const QString& text) {
    ShowBox(parent, MessageBox::Kind::Error, text);
}

void ModalDialogs::ShowCongratulation(QWidget* parent) { ShowCongratulationWindow(parent); }

}  // namespace quillet
