#pragma once
// The workflow both front ends drive, the window and the command-line tool. On every poll it
// scans the drives; between configurations it watches for one Velmaron, reads it and makes a
// suitable one ready; the configure command writes the user's settings onto the device; after
// that it leads the user through pulling the cable and plugging it in again, because the device
// takes the file over only when it comes back. It runs every device operation itself, on its
// device worker's thread, and tells its view what to show, on the front end's thread.
//
// Every call into the view and the port is a step of its own: a step that fails is skipped and
// the next one runs.

#include "config/device_settings.h"
#include "config/version_file.h"
#include "workflow/device_port.h"
#include "workflow/device_worker.h"
#include "workflow/guarded.h"
#include "workflow/poll_shortcut.h"
#include "workflow/workflow_facts.h"
#include "workflow/workflow_view.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace velmaron {

// How often both front ends look at the drives.
inline constexpr std::chrono::milliseconds PollInterval{500};
// How long a poll may wait on a drive before the window names the drive as not responding.
inline constexpr std::chrono::milliseconds SlowDriveAfter{2000};

// How a device is judged when its version file is missing, broken or names an unexpected type.
enum class Judging {
    // As the window always has: by what the last reads left, an unexpected type held to the
    // standard rules with the last software version.
    ByLastReads,
    // By this read alone: a device without a sound version file of a known type is judged
    // again at the next poll.
    ByThisRead,
};

struct WorkflowOptions {
    Judging judging = Judging::ByLastReads;
    // A poll that finds what the one before found, at a moment when the state machine would do
    // nothing with it, is not handed back to the front end at all unless this is set.
    bool everyPoll = false;
};

// Where the configure command writes.
enum class ConfigureTarget {
    FirstDevice, // the first Velmaron in drive order, whatever the last poll found
    DeviceRead,  // that one only when it is the device that was last read
};

enum class ConfigureOutcome {
    NoDevice, // no Velmaron to write to: nothing was built
    NotSaved, // built or refused, and reported
    Saved,    // on the device; the reconnect procedure has begun
};

// The clock and the pause of the bounded wait for a deleted version file to vanish; they run
// on the worker's thread.
struct VanishWait {
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
    std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds span) {
        std::this_thread::sleep_for(span);
    };
};

class Workflow {
public:
    // dispatch hands the device operations' results over to the front end's thread.
    Workflow(WorkflowView& view, std::shared_ptr<DevicePort> port, Dispatch dispatch,
             WorkflowOptions options = {});
    ~Workflow();
    Workflow(const Workflow&) = delete;
    Workflow& operator=(const Workflow&) = delete;

    // One poll: the scan, and what the state calls for with the devices it finds, once the scan
    // is done. A poll starts only when the one before has finished; when one has waited on a
    // drive for SlowDriveAfter (counted in polls every PollInterval), the view is told which.
    void Tick() noexcept;
    // The configure command: writes the settings, typed for the device that is found, and when
    // they are saved starts the reconnect procedure. A configuration that is not saved is
    // reported and the command stays available. done gets the outcome.
    void Configure(const DeviceSettings& settings,
                   ConfigureTarget target = ConfigureTarget::FirstDevice,
                   std::function<void(ConfigureOutcome)> done = {}) noexcept;

    // A scan alone: takes over the drive list, the device's drive and the count, and shows them.
    void ScanForDevices() noexcept;
    // A read alone of the device the last scan found: shows what its version file says and
    // deals with a broken one.
    void FindCurrentSettings() noexcept;

    // Reads the version file of the drive at root on the device worker; done gets it.
    void readVersionFile(const std::string& root, std::function<void(const ReadResult&)> done);

    // Nothing the workflow started is still running or waiting to be shown.
    bool idle() const;
    // Waits on the device worker, at most timeout, for the operations given so far.
    bool waitForDevice(std::chrono::milliseconds timeout) const;
    // The view shows something the workflow did not put there (an option edited): the next
    // poll is shown whatever it finds.
    void viewChanged();
    // Back to waiting for a device, whatever ran (the window activated again): a run under way
    // is abandoned, and the next poll is shown whatever it finds.
    void restart();

    // Where the state machine stands and what the last scan and read left.
    const WorkflowFacts& facts() const { return facts_; }

    // The end of the code lists the reads walk; it lives as long as the workflow.
    CodeListEnd codeListEnd;
    VanishWait vanishWait;

private:
    struct DeviceFacts {
        std::string deviceType;
        int softwareVersion = 0;
    };
    struct PollShared;
    using Then = std::function<void()>;

    // Runs job on the worker; done gets its result on the front end's thread, unless the
    // workflow is gone by then.
    template <class Result>
    void run(std::function<Result(DevicePort&)> job, std::function<void(Result)> done);

    void finishPoll(const PollResult& result, int epoch);
    void applyScan(const ScanResult& scan);
    void act(const PollResult& result, const Then& finished);
    void setState(WorkflowStates state);
    void checkReadiness(const ReadResult& versionFile, const Then& finished);
    void decide();
    std::optional<DeviceFacts> judge() const;
    void announceSuccess();
    // Decodes and shows a read of the version file; then deals with a broken one.
    void applyRead(const std::optional<std::string>& root, const ReadResult& file,
                   const Then& then);
    void deleteBrokenFile(const Then& then);
    void noteSlowDrive();
    void saved(const ConfigFile& file, const SaveResult& result, const ReadResult& again);
    // The visible start of the reconnect procedure.
    void DisconnectReconnectVelmaron();

    GuardedView view_;
    std::shared_ptr<DevicePort> guardedPort_;
    std::shared_ptr<PollShared> poll_;
    DeviceWorker worker_;
    WorkflowFacts facts_;
    Dispatch dispatch_;
    WorkflowOptions options_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Polls asked for before this many configure commands began are not shown.
    int epoch_ = 0;
    bool configuring_ = false;
    int running_ = 0; // operations whose results are still to be shown
    int ticksWaited_ = 0; // polls that found the running one still waiting
    VersionFileRead lastRead_;
    std::optional<std::string> lastReadRoot_;
};

} // namespace velmaron
