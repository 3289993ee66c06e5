#include "workflow/call_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace velmaron {

struct CallQueue::Calls {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::function<void()>> waiting;
};

CallQueue::CallQueue() : calls_(std::make_shared<Calls>()) {}

Dispatch CallQueue::dispatch() const {
    return [calls = calls_](std::function<void()> call) {
        {
            std::lock_guard lock(calls->mutex);
            calls->waiting.push_back(std::move(call));
        }
        calls->arrived.notify_one();
    };
}

void CallQueue::runFor(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> ready;
    {
        std::unique_lock lock(calls_->mutex);
        calls_->arrived.wait_for(lock, wait, [&] { return !calls_->waiting.empty(); });
        ready.swap(calls_->waiting);
    }
    for (auto& call : ready)
        call();
}

} // namespace velmaron
