#include "support/gate.h"

#include <algorithm>

namespace velmaron::testing {

void Gate::pass() {
    std::unique_lock lock(mutex_);
    threads_.insert(std::this_thread::get_id());
    mostAtOnce_ = std::max(mostAtOnce_, ++waiting_);
    opened_.wait(lock, [&] { return open_; });
    --waiting_;
}

int Gate::waiting() {
    std::lock_guard lock(mutex_);
    return waiting_;
}

int Gate::mostAtOnce() {
    std::lock_guard lock(mutex_);
    return mostAtOnce_;
}

bool Gate::calledOn(std::thread::id thread) {
    std::lock_guard lock(mutex_);
    return threads_.contains(thread);
}

void Gate::set(bool isOpen) {
    {
        std::lock_guard lock(mutex_);
        open_ = isOpen;
    }
    opened_.notify_all();
}

} // namespace velmaron::testing
