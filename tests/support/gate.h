#pragma once
// A drive that does not answer, for tests: each call passes the gate, and waits there while it
// is shut. It keeps the threads that called and how many waited at once at most.

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace velmaron::testing {

class Gate {
public:
    void shut() { set(false); }
    void open() { set(true); }
    void pass();
    // How many calls wait at the gate now, and at most at once so far.
    int waiting();
    int mostAtOnce();
    bool calledOn(std::thread::id thread);

private:
    void set(bool isOpen);

    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
    int waiting_ = 0;
    int mostAtOnce_ = 0;
    std::set<std::thread::id> threads_;
};

} // namespace velmaron::testing
