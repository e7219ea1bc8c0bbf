#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <memory>
#include <string>

#include "files/BoardFiles.h"

class QLineEdit;

namespace quillet {

// The stored names (bytes) of a file list, each shown readably.
class FileNameModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Keeps the listing it shows, whatever reading follows.
    void SetListing(std::shared_ptr<const DirectoryListing> listing);
    const std::string& StoredName(int row) const {
        return listing_->names[static_cast<std::size_t>(row)];
    }
    const std::vector<std::string>& Names() const { return listing_->names; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const DirectoryListing> listing_ = std::make_shared<DirectoryListing>();
};

// The names of the board files that `BoardFiles` lists: the ordinary files
// of its directory that match its mask, sorted without regard to case. A
// linked edit box shows the selected name, or the mask when nothing is
// selected. Names are bytes, as the file system stores them; a name that is
// not UTF-8 is shown as Shift-JIS or with its bytes escaped, and still stands
// for its own file.
class FileListBox : public QListView {
    Q_OBJECT
public:
    explicit FileListBox(BoardFiles& files, QWidget* parent = nullptr);

    QString Mask() const { return QString::fromStdString(files_.Mask()); }
    // Re-reads the names when the mask differs from the current one.
    void SetMask(const QString& mask);
    void SetFileEdit(QLineEdit* edit) { fileEdit_ = edit; }
    // Reads the names afresh; afterwards nothing is selected.
    void Update();
    // Shows the names as the files last read them; afterwards nothing is
    // selected.
    void ShowListing();
    // The same, for a listing that follows the directory: the chosen name
    // stays chosen while it is listed, the view keeps its place, and the
    // linked box is left alone.
    void FollowListing();

    int count() const { return model_->rowCount(); }
    QString ShownName(int row) const;
    const std::string& StoredName(int row) const { return model_->StoredName(row); }
    // The row selected, or -1.
    int SelectedRow() const;
    void SelectRow(int row);
    // Selects the row of this stored name, which the linked box then shows;
    // false when the list does not show it.
    bool SelectStoredName(const std::string& stored);

    // Writes a stored name readably into the linked box.
    void ShowNameInEdit(const std::string& stored);
    // The linked box's name as bytes: the stored name while the box still
    // shows the text written from the list, otherwise the typed text, UTF-8.
    std::string NameInEdit() const;

private:
    void ShowSelectionInEdit();
    // The row showing this stored name, or -1.
    int RowOf(const std::string& stored) const;

    BoardFiles& files_;
    FileNameModel* model_;
    QLineEdit* fileEdit_ = nullptr;
    QString shownText_;
    std::string shownStored_;
};

}  // namespace quillet
