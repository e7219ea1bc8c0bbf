#include "InOrderWorkers.h"

#include <sched.h>

namespace quillet::board_tool {

InOrderWorkers::InOrderWorkers(unsigned threads, Write write)
    // A few jobs ahead of each thread, so that one slow job at the front
    // does not leave the others idle.
    : open_(threads > 1 ? 4 * threads : 1), write_(std::move(write)) {
    if (threads > 1)
        for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
}

InOrderWorkers::~InOrderWorkers() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    jobAdded_.notify_all();
}

void InOrderWorkers::Add(Job job) {
    if (threads_.empty()) {
        write_(job());
        return;
    }
    std::unique_lock lock(mutex_);
    slots_.push_back(Slot{std::move(job), false, {}, {}});
    jobAdded_.notify_one();
    while (slots_.size() >= open_) {
        WriteDone(lock);
        if (slots_.size() >= open_) jobDone_.wait(lock);
    }
}

void InOrderWorkers::Finish() {
    std::unique_lock lock(mutex_);
    while (!slots_.empty()) {
        WriteDone(lock);
        if (!slots_.empty()) jobDone_.wait(lock);
    }
}

void InOrderWorkers::WriteDone(std::unique_lock<std::mutex>& lock) {
    while (!slots_.empty() && slots_.front().done) {
        const std::string line = std::move(slots_.front().line);
        const std::exception_ptr error = slots_.front().error;
        slots_.pop_front();
        ++written_;
        if (error) std::rethrow_exception(error);
        lock.unlock();
        write_(line);
        lock.lock();
    }
}

void InOrderWorkers::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto open = [this] { return taken_ < written_ + slots_.size(); };
        jobAdded_.wait(lock, [&] { return closing_ || open(); });
        if (closing_) return;
        const std::size_t number = taken_++;
        Job job = std::move(slots_[number - written_].job);
        lock.unlock();
        std::string line;
        std::exception_ptr error;
        try {
            line = job();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        Slot& slot = slots_[number - written_];
        slot.done = true;
        slot.line = std::move(line);
        slot.error = error;
        jobDone_.notify_all();
    }
}

unsigned UsableProcessors() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    const unsigned reported = std::thread::hardware_concurrency();
    return reported > 0 ? reported : 1;
}

}  // namespace quillet::board_tool
