#pragma once

#include <QListWidget>
#include <QString>

class QLineEdit;

namespace quillet {

// The names of the ordinary files of one directory that match a
// ";"-separated mask, sorted without regard to case. A linked edit box shows
// the selected name, or the mask when nothing is selected.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    // The directory never changes; without one it is the current directory now.
    explicit FileListBox(QWidget* parent = nullptr, const QString& directory = QString());

    QString Directory() const { return directory_; }
    QString Mask() const { return mask_; }
    // Re-reads the names when the mask differs from the current one.
    void SetMask(const QString& mask);
    void SetFileEdit(QLineEdit* edit) { fileEdit_ = edit; }
    // Reads the names afresh; afterwards nothing is selected.
    void Update();

private:
    void ShowSelectionInEdit();

    QString directory_;
    QString mask_ = QStringLiteral("*.*");
    QLineEdit* fileEdit_ = nullptr;
};

}  // namespace quillet
