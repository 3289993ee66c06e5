#pragma once
// Hands functions from the device worker's thread over to the window's thread, where they run
// in the order given. The window closes it when it goes, so that a result that comes back late
// reaches nothing.

#include "workflow/device_worker.h"

#include <functional>
#include <memory>

class QObject;

namespace velmaron {

class ThreadMailbox {
public:
    using Run = std::function<void(const std::function<void()>&)>;

    // run is called on the receiver's thread with each function handed over.
    ThreadMailbox(QObject* receiver, Run run);
    ~ThreadMailbox();
    ThreadMailbox(const ThreadMailbox&) = delete;
    ThreadMailbox& operator=(const ThreadMailbox&) = delete;

    // For any thread; it stays safe to call after the mailbox is gone.
    Dispatch dispatch() const;

private:
    struct Box;
    std::shared_ptr<Box> box_;
};

} // namespace velmaron
