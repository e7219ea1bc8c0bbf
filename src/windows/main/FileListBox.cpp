#include "windows/main/FileListBox.h"

#include <QDir>
#include <QLineEdit>

namespace quillet {

namespace {
constexpr int kRowHeight = 16;
constexpr int kNameIndent = 2;
}  // namespace

FileListBox::FileListBox(QWidget* parent, const QString& directory)
    : QListWidget(parent), directory_(directory.isEmpty() ? QDir::currentPath() : directory) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; padding-left: %2px; }")
                      .arg(kRowHeight)
                      .arg(kNameIndent));
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::ShowSelectionInEdit);
}

void FileListBox::SetMask(const QString& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    Update();
}

void FileListBox::Update() {
    const QSignalBlocker quiet(this);
    clear();
    const QDir dir(directory_, QString(), QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(dir.entryList(mask_.split(u';', Qt::SkipEmptyParts)));
    ShowSelectionInEdit();
}

void FileListBox::ShowSelectionInEdit() {
    if (!fileEdit_) return;
    const QList<QListWidgetItem*> selected = selectedItems();
    fileEdit_->setText(selected.isEmpty() ? mask_ : selected.front()->text());
    fileEdit_->selectAll();
}

}  // namespace quillet
