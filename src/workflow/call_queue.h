#pragma once
// What the device worker hands back, kept until the thread that waits for it runs it: the
// command-line tool's own, or a test's. (The window has its event loop for this.)

#include "workflow/device_worker.h"

#include <chrono>
#include <functional>
#include <memory>

namespace velmaron {

class CallQueue {
public:
    CallQueue();

    // For the worker's thread; safe to call after the queue is gone.
    Dispatch dispatch() const;
    // Runs what has been handed over, after waiting at most wait for the first of it.
    void runFor(std::chrono::milliseconds wait);

private:
    struct Calls;
    std::shared_ptr<Calls> calls_;
};

} // namespace velmaron
