#include "app/ModalDialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "windows/congratulation/Unit5.h"
#include "windows/main/ProgramTitle.h"

namespace quillet {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ProgramTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

void ModalDialogs::ShowInformation(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::NoIcon, text);
}

void ModalDialogs::ShowError(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, text);
}

void ModalDialogs::ShowCongratulation(QWidget* parent) { ShowCongratulationWindow(parent); }

}  // namespace quillet
