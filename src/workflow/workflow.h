#pragma once
// The workflow both front ends drive, the window and the command-line tool. On every poll it
// scans the drives; between configurations it watches for one Velmaron, reads it and makes a
// suitable one ready; the configure command writes the user's settings onto the device; after
// that it leads the user through pulling the cable and plugging it in again, because the device
// takes the file over only when it comes back. It runs every device operation itself, through
// its device port, and tells its view what to show.
//
// Every call into the view and the port is a step of its own: a step that fails is skipped and
// the next one runs.

#include "config/device_settings.h"
#include "config/version_file.h"
#include "workflow/device_port.h"
#include "workflow/guarded.h"
#include "workflow/workflow_view.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velmaron {

// How often both front ends look at the drives.
inline constexpr std::chrono::milliseconds PollInterval{500};

// How a device is judged when its version file is missing, broken or names an unexpected type.
enum class Judging {
    // As the window always has: by what the last reads left, an unexpected type held to the
    // standard rules with the last software version.
    ByLastReads,
    // By this read alone: a device without a sound version file of a known type is judged
    // again at the next poll.
    ByThisRead,
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

// The clock and the pause of the bounded wait for a deleted version file to vanish.
struct VanishWait {
    std::function<std::chrono::steady_clock::time_point()> now = std::chrono::steady_clock::now;
    std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds span) {
        std::this_thread::sleep_for(span);
    };
};

class Workflow {
public:
    // state: the front end's own state value, which it may also reset itself.
    Workflow(WorkflowView& view, DevicePort& port, int& state,
             Judging judging = Judging::ByLastReads)
        : view_(view), port_(port), state_(state), judging_(judging) {}

    // One poll: the scan, and what the state calls for with the devices it found.
    void Tick() noexcept;
    // The configure command: writes the settings, typed for the device that is found, and when
    // they are saved starts the reconnect procedure. A configuration that is not saved is
    // reported and the command stays available.
    ConfigureOutcome Configure(const DeviceSettings& settings,
                               ConfigureTarget target = ConfigureTarget::FirstDevice) noexcept;

    // The poll's scan: takes over the drive list, the device's drive and the count.
    void ScanForDevices() noexcept;
    // Reads the version file of the device the last scan found, shows what it says and deals
    // with a broken one.
    void FindCurrentSettings() noexcept;
    // A broken version file is deleted so that the device writes a new one when it is plugged
    // in again.
    void BadVersionFile() noexcept;

    // The device's drive root: DriveList(DriveIndex), nullopt when the index lies outside.
    std::optional<std::string> deviceRoot() const;

    // What the last scan or the configure command's search found, and the device's version
    // file as last read, with what the reads made of it.
    std::vector<std::string> DriveList;
    int DriveIndex = 0;
    int DeviceCount = 0;
    std::string VersionText;
    std::string DeviceType;
    int SoftwareVersion = 0;
    // The end of the code lists the reads walk; it lives as long as the workflow.
    CodeListEnd codeListEnd;
    VanishWait vanishWait;

private:
    struct DeviceFacts {
        std::string deviceType;
        int softwareVersion = 0;
    };

    void setState(WorkflowStates state);
    void checkReadiness();
    std::optional<DeviceFacts> judge() const;
    void announceSuccess();
    void readVersionText(const std::string& root);
    void waitUntilGone(const std::string& root);
    // The visible start of the reconnect procedure.
    void DisconnectReconnectVelmaron();

    GuardedView view_;
    GuardedPort port_;
    int& state_;
    Judging judging_;
    VersionFileRead lastRead_;
    std::optional<std::string> lastReadRoot_;
};

} // namespace velmaron
