#include "app/thread_mailbox.h"

#include <QMetaObject>
#include <QObject>
#include <mutex>

namespace velmaron {

struct ThreadMailbox::Box {
    std::mutex mutex;
    QObject* receiver = nullptr; // null once closed
    Run run;
};

ThreadMailbox::ThreadMailbox(QObject* receiver, Run run) : box_(std::make_shared<Box>()) {
    box_->receiver = receiver;
    box_->run = std::move(run);
}

ThreadMailbox::~ThreadMailbox() {
    std::lock_guard lock(box_->mutex);
    box_->receiver = nullptr;
}

Dispatch ThreadMailbox::dispatch() const {
    return [box = box_](std::function<void()> function) {
        std::lock_guard lock(box->mutex);
        if (box->receiver == nullptr)
            return;
        // Qt drops what was posted to a receiver that is deleted before it runs.
        QMetaObject::invokeMethod(
            box->receiver, [run = box->run, function = std::move(function)] { run(function); },
            Qt::QueuedConnection);
    };
}

} // namespace velmaron
