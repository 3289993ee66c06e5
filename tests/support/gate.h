#pragma once
// A drive that does not answer: each call waits at the gate while it is shut.

#include "device/drive_services.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace velmaron::testing {

class Gate {
public:
    void shut() { set(false); }
    void open() { set(true); }
    void pass() {
        std::unique_lock lock(mutex_);
        threads_.insert(std::this_thread::get_id());
        mostAtOnce_ = std::max(mostAtOnce_, ++waiting_);
        opened_.wait(lock, [&] { return open_; });
        --waiting_;
    }
    // How many calls wait at the gate now, and at most at once so far.
    int waiting() {
        std::lock_guard lock(mutex_);
        return waiting_;
    }
    int mostAtOnce() {
        std::lock_guard lock(mutex_);
        return mostAtOnce_;
    }
    bool calledOn(std::thread::id thread) {
        std::lock_guard lock(mutex_);
        return threads_.contains(thread);
    }

private:
    void set(bool isOpen) {
        {
            std::lock_guard lock(mutex_);
            open_ = isOpen;
        }
        opened_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
    int waiting_ = 0;
    int mostAtOnce_ = 0;
    std::set<std::thread::id> threads_;
};

class GatedDrives final : public DriveServices {
public:
    GatedDrives(std::unique_ptr<DriveServices> drives, std::shared_ptr<Gate> gate)
        : drives_(std::move(drives)), gate_(std::move(gate)) {}
    std::vector<std::string> GetDriveList() override { return drives_->GetDriveList(); }
    DriveKind DriveType(const std::string& root) override {
        gate_->pass();
        return drives_->DriveType(root);
    }
    std::optional<std::string> VolumeName(const std::string& root) override {
        gate_->pass();
        return drives_->VolumeName(root);
    }

private:
    std::unique_ptr<DriveServices> drives_;
    std::shared_ptr<Gate> gate_;
};

} // namespace velmaron::testing
