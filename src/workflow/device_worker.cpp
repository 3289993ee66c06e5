#include "workflow/device_worker.h"

#include "device/diagnostic_log.h"
#include "device/drive_watch.h"
#include "workflow/device_port.h"
#include "workflow/thread_signals.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace velmaron {

// Everything under the one mutex. At two polls a second a lock per drive noted costs nothing.
struct DeviceWorker::State final : DriveWatch {
    std::shared_ptr<DevicePort> port;
    std::shared_ptr<void> kept;
    mutable std::mutex mutex;
    // A job, or the stop, to wake up for. (Not a semaphore: with the Windows build's C++
    // runtime a semaphore's release can be lost, and the worker sleeps with a job waiting.)
    std::condition_variable wake;
    // The jobs given so far have run.
    mutable std::condition_variable idle;
    std::deque<std::function<void(DevicePort&)>> jobs;
    int pending = 0; // submitted and not yet returned
    bool stop = false;
    std::string drive; // empty between jobs

    void noteDrive(const std::string& root) override {
        std::lock_guard lock(mutex);
        drive = root;
    }

    void run() {
        KeepSignalsAway();
        WatchDrives(this);
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return stop || !jobs.empty(); });
            if (stop)
                return;
            {
                const std::function<void(DevicePort&)> job = std::move(jobs.front());
                jobs.pop_front();
                lock.unlock();
                try {
                    job(*port);
                } catch (...) {
                    // A job hands back what it can; nothing may end the thread.
                    lock.lock();
                    const std::string root = drive;
                    lock.unlock();
                    DiagnosticLog::WriteCaught("device job", root);
                }
            } // what the job holds goes outside the lock
            // The job's end is noted in the section the worker then waits in.
            lock.lock();
            drive.clear();
            if (--pending == 0)
                idle.notify_all();
        }
    }
};

DeviceWorker::DeviceWorker(std::shared_ptr<DevicePort> port, std::shared_ptr<void> kept)
    : state_(std::make_shared<State>()) {
    state_->port = std::move(port);
    state_->kept = std::move(kept);
    // The thread keeps the state alive, so that an abandoned job still finds its port.
    thread_ = std::thread([state = state_] { state->run(); });
}

DeviceWorker::~DeviceWorker() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stop = true;
        state_->pending -= static_cast<int>(state_->jobs.size());
        state_->jobs.clear();
    }
    state_->wake.notify_one();
    // Not joined: the running job may wait on a drive that never answers, and the front end
    // must close all the same. The thread ends when the drive answers, or with the program.
    thread_.detach();
}

void DeviceWorker::submit(std::function<void(DevicePort&)> job) {
    {
        std::lock_guard lock(state_->mutex);
        state_->jobs.push_back(std::move(job));
        ++state_->pending;
    }
    state_->wake.notify_one();
}

std::optional<std::string> DeviceWorker::waitingOn() const {
    std::lock_guard lock(state_->mutex);
    if (state_->drive.empty())
        return std::nullopt;
    return state_->drive;
}

bool DeviceWorker::waitIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(state_->mutex);
    return state_->idle.wait_for(lock, timeout, [&] { return state_->pending == 0; });
}

} // namespace velmaron
