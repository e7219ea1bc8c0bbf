#include "windows/main/DirectoryFollower.h"

#include <fcntl.h>
#include <malloc.h>

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "windows/main/FileListBox.h"

namespace quillet {

DirectoryFollower::DirectoryFollower(BoardFiles& files, FileListBox& list, QObject* parent)
    : QObject(parent), files_(files), list_(list) {
    quiet_.setSingleShot(true);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DirectoryFollower::Changed);
    connect(&quiet_, &QTimer::timeout, this, &DirectoryFollower::Read);
    connect(&reading_, &QFutureWatcherBase::finished, this, &DirectoryFollower::Take);
}

// A reading still under way finishes on its thread; it holds nothing of ours.
DirectoryFollower::~DirectoryFollower() = default;

void DirectoryFollower::Follow() {
    if (const QStringList watched = watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    directoryFd_.Reset();
    const std::string& directory = files_.Directory();
    QString path = QFile::decodeName(directory.c_str());
    if (QFile::encodeName(path).toStdString() != directory) {
        directoryFd_.Reset(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!directoryFd_.valid()) return;
        path = QStringLiteral("/proc/self/fd/%1").arg(directoryFd_.get());
    }
    watcher_.addPath(path);
}

void DirectoryFollower::Changed() {
    if (!quiet_.isActive()) pendingSince_.start();
    const qint64 waited = pendingSince_.elapsed();
    quiet_.start(static_cast<int>(std::clamp<qint64>(kLongestDelayMs - waited, 0, kQuietMs)));
}

void DirectoryFollower::Read() {
    if (reading_.isRunning()) {
        changedWhileReading_ = true;
        return;
    }
    // A Save reads the names itself: its own change needs no second reading.
    if (IsCurrent(*files_.Listing())) return;
    reading_.setFuture(QtConcurrent::run([directory = files_.Directory(), mask = files_.Mask()] {
        // The listings dropped since the last reading leave free pages among
        // those still held (this thread's allocations have an arena of their
        // own); they go back before another listing is made, so that a burst
        // of readings does not add up in the resident size.
        ::malloc_trim(0);
        return std::make_shared<const DirectoryListing>(ReadListing(directory, mask));
    }));
}

void DirectoryFollower::Take() {
    // A listing of a directory or mask left meanwhile is dropped; one of the
    // names on show is kept without redrawing the list.
    const std::shared_ptr<const DirectoryListing> shown = files_.Listing();
    const std::shared_ptr<const DirectoryListing> read = reading_.result();
    if (files_.TakeListing(read) && read->names != shown->names) {
        list_.FollowListing();
        emit ListingFollowed();
    }
    if (changedWhileReading_) {
        changedWhileReading_ = false;
        Read();
    }
}

}  // namespace quillet
