#pragma once

#include <unistd.h>

#include <utility>

namespace quillet {

// Owns a file descriptor and closes it unchecked when dropped; code that must
// know whether the close succeeded calls CloseChecked.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.fd_, -1));
        return *this;
    }
    ~UniqueFd() { Reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Linux releases the descriptor even when close reports an error, so it
    // is never closed twice.
    bool CloseChecked() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_ = -1;
};

}  // namespace quillet
