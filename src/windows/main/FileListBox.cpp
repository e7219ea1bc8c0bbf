#include "windows/main/FileListBox.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

namespace quillet {

namespace {
constexpr int kRowHeight = 16;
constexpr int kNameIndent = 2;

QString ShownText(const std::string& stored) {
    return QString::fromStdString(ReadName(stored).text);
}
}  // namespace

void FileNameModel::SetListing(std::shared_ptr<const DirectoryListing> listing) {
    beginResetModel();
    listing_ = std::move(listing);
    endResetModel();
}

int FileNameModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(listing_->names.size());
}

QVariant FileNameModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const std::string& stored = StoredName(index.row());
    if (role == Qt::DisplayRole) return ShownText(stored);
    if (role == Qt::ToolTipRole) {
        // Says how a name that is not UTF-8 is shown.
        const ReadableName name = ReadName(stored);
        if (name.reading == NameReading::kShiftJis)
            return QStringLiteral("%1 (Shift-JIS)").arg(QString::fromStdString(name.text));
        if (name.reading == NameReading::kEscaped) return QString::fromStdString(name.text);
    }
    return {};
}

FileListBox::FileListBox(BoardFiles& files, QWidget* parent)
    : QListView(parent), files_(files), model_(new FileNameModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setStyleSheet(QStringLiteral("QListView::item { height: %1px; padding-left: %2px; }")
                      .arg(kRowHeight)
                      .arg(kNameIndent));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListBox::ShowSelectionInEdit);
}

void FileListBox::SetMask(const QString& mask) {
    if (files_.SetMask(mask.toStdString())) ShowListing();
}

void FileListBox::Update() {
    files_.Reread();
    ShowListing();
}

void FileListBox::ShowListing() {
    {
        const QSignalBlocker quiet(selectionModel());
        model_->SetListing(files_.Listing());
        selectionModel()->clear();
    }
    ShowSelectionInEdit();
}

void FileListBox::FollowListing() {
    const int row = SelectedRow();
    const std::string chosen = row < 0 ? std::string() : StoredName(row);
    const int scrolled = verticalScrollBar()->value();
    const QSignalBlocker quiet(selectionModel());
    model_->SetListing(files_.Listing());
    selectionModel()->clear();
    if (row >= 0) {
        const int at = RowOf(chosen);
        if (at >= 0)
            selectionModel()->setCurrentIndex(model_->index(at),
                                              QItemSelectionModel::ClearAndSelect);
    }
    verticalScrollBar()->setValue(scrolled);
}

QString FileListBox::ShownName(int row) const { return ShownText(StoredName(row)); }

int FileListBox::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void FileListBox::SelectRow(int row) { setCurrentIndex(model_->index(row)); }

int FileListBox::RowOf(const std::string& stored) const {
    const std::vector<std::string>& names = model_->Names();
    const auto at = std::lower_bound(
        names.begin(), names.end(), stored,
        [](const std::string& a, const std::string& b) { return ComesBeforeIgnoringCase(a, b); });
    return at == names.end() || *at != stored ? -1 : static_cast<int>(at - names.begin());
}

bool FileListBox::SelectStoredName(const std::string& stored) {
    const int row = RowOf(stored);
    if (row >= 0) SelectRow(row);
    return row >= 0;
}

void FileListBox::ShowNameInEdit(const std::string& stored) {
    if (!fileEdit_) return;
    shownStored_ = stored;
    shownText_ = ShownText(stored);
    fileEdit_->setText(shownText_);
}

std::string FileListBox::NameInEdit() const {
    if (!fileEdit_) return {};
    const QString text = fileEdit_->text();
    return text == shownText_ ? shownStored_ : text.toStdString();
}

void FileListBox::ShowSelectionInEdit() {
    if (!fileEdit_) return;
    const int row = SelectedRow();
    ShowNameInEdit(row < 0 ? files_.Mask() : StoredName(row));
    fileEdit_->selectAll();
}

}  // namespace quillet
