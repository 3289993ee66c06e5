#include "workflow/device_worker.h"

#include "device/diagnostic_log.h"
#include "device/drive_watch.h"
#include "workflow/device_port.h"
#include "workflow/thread_signals.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace velmaron {

namespace {

// The drive the worker's calls go to. Noted before every drive of every poll, and read only
// when a poll is slow: so it is written without a lock, and a read that met a write is made
// again (a sequence that is odd while a write runs; a character read from a write that has
// begun makes that write's first count seen).
class DriveNote {
public:
    void write(std::string_view root) {
        sequence_.fetch_add(1, std::memory_order_acq_rel);
        const std::size_t length = std::min(root.size(), chars_.size());
        for (std::size_t i = 0; i < length; ++i)
            chars_[i].store(root[i], std::memory_order_release);
        length_.store(length, std::memory_order_release);
        sequence_.fetch_add(1, std::memory_order_release);
    }
    std::string read() const {
        for (;;) {
            const unsigned before = sequence_.load(std::memory_order_acquire);
            std::string root(length_.load(std::memory_order_acquire), '\0');
            for (std::size_t i = 0; i < root.size(); ++i)
                root[i] = chars_[i].load(std::memory_order_acquire);
            if (before % 2 == 0 && sequence_.load(std::memory_order_relaxed) == before)
                return root;
        }
    }

private:
    std::atomic<unsigned> sequence_{0};
    std::atomic<std::size_t> length_{0};
    std::array<std::atomic<char>, 512> chars_{};
};

} // namespace

struct DeviceWorker::State final : DriveWatch {
    std::shared_ptr<DevicePort> port;
    std::shared_ptr<void> kept;
    mutable std::mutex mutex;
    // A job, or the stop, to wake up for. (Not a semaphore: with the Windows build's C++
    // runtime a semaphore's release can be lost, and the worker sleeps with a job waiting.)
    std::condition_variable wake;
    // Told when the jobs have run, to those that wait for it: only the tests and the
    // command-line tool do, so the worker looks for them before it tells.
    mutable std::condition_variable idle;
    mutable std::atomic<int> waitingForIdle{0};
    std::deque<std::function<void(DevicePort&)>> jobs;
    std::atomic<int> pending{0}; // submitted and not yet returned
    bool stop = false;
    DriveNote drive; // empty between jobs

    void noteDrive(const std::string& root) override { drive.write(root); }
};

DeviceWorker::DeviceWorker(std::shared_ptr<DevicePort> port, std::shared_ptr<void> kept)
    : state_(std::make_shared<State>()) {
    state_->port = std::move(port);
    state_->kept = std::move(kept);
    // The thread keeps the state alive, so that an abandoned job still finds its port.
    std::jthread([state = state_] {
        KeepSignalsAway();
        WatchDrives(state.get());
        for (;;) {
            std::function<void(DevicePort&)> job;
            {
                std::unique_lock lock(state->mutex);
                state->wake.wait(lock, [&] { return state->stop || !state->jobs.empty(); });
                if (state->stop)
                    return;
                job = std::move(state->jobs.front());
                state->jobs.pop_front();
            }
            try {
                job(*state->port);
            } catch (...) {
                // A job hands back what it can; nothing may end the thread.
                DiagnosticLog::WriteCaught("device job", state->drive.read());
            }
            state->drive.write({});
            if (--state->pending == 0 && state->waitingForIdle > 0) {
                std::lock_guard lock(state->mutex); // so that no waiter misses it
                state->idle.notify_all();
            }
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
    state_->wake.notify_one();
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
    return state_->pending > 0;
}

std::optional<std::string> DeviceWorker::waitingOn() const {
    std::string root = state_->drive.read();
    if (root.empty())
        return std::nullopt;
    return root;
}

bool DeviceWorker::waitIdle(std::chrono::milliseconds timeout) const {
    ++state_->waitingForIdle;
    std::unique_lock lock(state_->mutex);
    const bool idle = state_->idle.wait_for(lock, timeout, [&] { return state_->pending == 0; });
    --state_->waitingForIdle;
    return idle;
}

} // namespace velmaron
