#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillet::board_tool {

// Runs jobs that each make a line of text on a few threads and hands the
// lines to `write` in the order the jobs were added, each as soon as it and
// all before it are done. Puzzles are rated independently, so a file of them
// goes as many times faster as there are processors; the lines still come
// in the file's order, and a stream of any length is held a few jobs at a
// time, not whole. With one thread the jobs run as they are added.
class InOrderWorkers {
public:
    using Job = std::function<std::string()>;
    using Write = std::function<void(const std::string&)>;

    InOrderWorkers(unsigned threads, Write write);
    // Lets the threads finish the jobs they are on and drops the rest: it is
    // reached without Finish() only on an error.
    ~InOrderWorkers();
    InOrderWorkers(const InOrderWorkers&) = delete;
    InOrderWorkers& operator=(const InOrderWorkers&) = delete;

    // Waits while too many jobs are open, writing the lines that are done.
    // What a job throws is thrown here or by Finish(), after the lines of
    // the jobs before it.
    void Add(Job job);
    // Waits for every job added and writes the rest of the lines.
    void Finish();

private:
    struct Slot {
        Job job;
        bool done = false;
        std::string line;
        std::exception_ptr error;  // thrown by the job, thrown again when its turn comes
    };
    void Work();
    // Writes the lines done at the front; called with the lock held, which
    // it lets go while writing.
    void WriteDone(std::unique_lock<std::mutex>& lock);

    const std::size_t open_;  // jobs added and not yet written, at most
    Write write_;
    std::mutex mutex_;
    std::condition_variable jobAdded_, jobDone_;
    // In the order added; the front is the first not yet written, job
    // number `written_` counting from 0. A slot leaves only with its line
    // in, so a thread finds the one it took by its number.
    std::deque<Slot> slots_;
    std::size_t written_ = 0;
    std::size_t taken_ = 0;  // the number of the first job no thread has taken
    bool closing_ = false;
    std::vector<std::jthread> threads_;
};

// The processors this process may run on, at least one.
unsigned UsableProcessors();

}  // namespace quillet::board_tool
