#include "workflow/device_worker.h"

#include "device/drive_watch.h"
#include "workflow/device_port.h"
#include "workflow/thread_signals.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace velmaron {

struct DeviceWorker::State final : DriveWatch {
    std::shared_ptr<DevicePort> port;
    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable idle;
    std::deque<std::function<void(DevicePort&)>> jobs;
    int pending = 0; // submitted and not yet returned
    bool stop = false;
    std::optional<std::string> waiting;

    void noteDrive(const std::string& root) override {
        std::lock_guard lock(mutex);
        if (root.empty())
            waiting.reset();
        else
            waiting = root;
    }
};

DeviceWorker::DeviceWorker(std::shared_ptr<DevicePort> port) : state_(std::make_shared<State>()) {
    state_->port = std::move(port);
    // The thread keeps the state alive, so that an abandoned job still finds its port.
    std::jthread([state = state_] {
        KeepSignalsAway();
        WatchDrives(state.get());
        for (;;) {
            std::function<void(DevicePort&)> job;
            {
                std::unique_lock lock(state->mutex);
                state->wake.wait(lock, [&] { return state->stop || !state->jobs.empty(); });
                if (state->jobs.empty())
                    return;
                job = std::move(state->jobs.front());
                state->jobs.pop_front();
            }
            try {
                job(*state->port);
            } catch (...) {
                // A job hands back what it can; nothing may end the thread.
            }
            {
                std::lock_guard lock(state->mutex);
                --state->pending;
                state->waiting.reset();
            }
            state->idle.notify_all();
        }
    }).detach();
}

DeviceWorker::~DeviceWorker() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stop = true;
        state_->pending -= static_cast<int>(state_->jobs.size());
        state_->jobs.clear();
    }
    state_->wake.notify_all();
}

void DeviceWorker::submit(std::function<void(DevicePort&)> job) {
    {
        std::lock_guard lock(state_->mutex);
        state_->jobs.push_back(std::move(job));
        ++state_->pending;
    }
    state_->wake.notify_one();
}

bool DeviceWorker::busy() const {
    std::lock_guard lock(state_->mutex);
    return state_->pending > 0;
}

std::optional<std::string> DeviceWorker::waitingOn() const {
    std::lock_guard lock(state_->mutex);
    return state_->waiting;
}

bool DeviceWorker::waitIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(state_->mutex);
    return state_->idle.wait_for(lock, timeout, [&] { return state_->pending == 0; });
}

} // namespace velmaron
