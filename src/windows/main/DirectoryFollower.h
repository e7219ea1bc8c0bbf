#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <memory>

#include "files/BoardFiles.h"
#include "files/UniqueFd.h"

namespace quillet {

class FileListBox;

// Keeps the file list in step with its directory when other programs add,
// rename or remove files there. The file system's reports are gathered until
// they pause (a burst of thousands is one reading), the names are read on a
// pool thread, and the list shows them with its chosen name and the name box
// as they were. A change shows within kLongestDelay plus one reading.
class DirectoryFollower : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 100;
    static constexpr int kLongestDelayMs = 400;

    DirectoryFollower(BoardFiles& files, FileListBox& list, QObject* parent = nullptr);
    ~DirectoryFollower() override;

    // Watches the files' directory from now on: call it whenever it changes.
    void Follow();

signals:
    // A listing read after a change is on show.
    void ListingFollowed();

private:
    void Changed();
    void Read();
    void Take();

    BoardFiles& files_;
    FileListBox& list_;
    QFileSystemWatcher watcher_;
    // A directory whose name Qt cannot carry (not UTF-8) is watched through
    // this descriptor's name in /proc/self/fd.
    UniqueFd directoryFd_;
    QTimer quiet_;
    QElapsedTimer pendingSince_;
    QFutureWatcher<std::shared_ptr<const DirectoryListing>> reading_;
    bool changedWhileReading_ = false;
};

}  // namespace quillet
