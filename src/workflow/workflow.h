#pragma once
// The workflow both front ends drive, the window and the command-line tool: it is told what a
// poll of the drives found and what the user asks for, and tells its front end what to show
// and do, in order. Between configurations it watches for one Velmaron and makes a suitable
// one ready; after a configuration is written it leads the user through pulling the cable and
// plugging it in again, because the device takes the file over only when it comes back.
//
// Every effect is a step of its own: a step that fails is skipped and the next one runs.

#include "config/config_file.h"
#include "device/durable_save.h"

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace velmaron {

// How often both front ends look at the drives.
inline constexpr std::chrono::milliseconds PollInterval{500};

// The states; the numbers are shown in the window's diagnostic label.
enum WorkflowStates : int {
    WaitForDevice = 0, // waiting for exactly one Velmaron that can be configured
    DeviceReady = 1,   // one suitable device is read and may be configured
    WaitForUnplug = 2, // the configuration is written; waiting for the cable to be pulled
    WaitForReplug = 3, // waiting for the device to be plugged in again
    Saved = 4,         // the device is back and has taken the file over
    NotSuitable = 5,   // a device with too old software was seen; one tick's pause
};

// The status line, the instruction about the cable and the arrow that points its way.
enum class Message { None, ConnectDevice, DeviceFound, SettingsRead, NotSuitable, Saved };
enum class Instruction { Unplug, Replug, UnplugUnsuitable };
enum class Arrow { None, In, Out };

// What the front end holds about the device after reading it.
struct DeviceFacts {
    std::string deviceType; // "QX", "CR" or anything else, upper-cased
    int softwareVersion = 0;
};

// Why a configuration was not saved: it could not be built, or not be put onto the device.
using ConfigureFailure = std::variant<ConfigError, SaveError>;

// The front end's effects, called by the workflow in the order the user sees them.
class WorkflowView {
public:
    virtual ~WorkflowView() = default;

    virtual void setMessage(Message message) = 0;
    virtual void setInstruction(Instruction instruction) = 0;
    virtual void showArrow(Arrow arrow) = 0;
    virtual void setArrowVisible(bool visible) = 0;
    // Tall: the band with the instruction and the arrow is shown.
    virtual void setTall(bool tall) = 0;
    virtual void setVersionVisible(bool visible) = 0;
    virtual void enableConfigure(bool enabled) = 0;
    // A read of the device's settings is about to begin.
    virtual void beginRead() {}
    // Reads the device's status file and shows the settings it reports.
    virtual void readSettings() = 0;
    // What the device is, as far as the reads so far tell; nullopt when nothing can be judged
    // yet (the device is then read again at the next poll).
    virtual std::optional<DeviceFacts> device() = 0;
    // Deletes the configuration file the device has taken over.
    virtual void removeConfigFile() = 0;

    // The configure command: the device is looked for afresh (false: none there), its status
    // file read again, the file built and saved.
    virtual bool findDevice() = 0;
    virtual void readVersionText() = 0;
    virtual ConfigBuildResult buildConfig() = 0;
    virtual void removeStaleUpdateFiles() = 0;
    virtual SaveResult saveConfig(const ConfigFile& file) = 0;
    virtual void reportFailure(const ConfigureFailure& failure) = 0;
    // The polls must go on while the user handles the cable.
    virtual void keepPolling() = 0;
};

// Runs one step; whatever it throws ends only this step.
template <class Step> void runGuarded(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

class Workflow {
public:
    // state: the front end's own state value, which it may also reset itself.
    Workflow(WorkflowView& view, int& state) : view_(view), state_(state) {}

    // One poll: deviceCount Velmarons are connected now.
    void Tick(int deviceCount) noexcept;
    // The configure command: writes the configuration onto the first Velmaron and, when it is
    // saved, starts the reconnect procedure. A configuration that is not saved is reported and
    // the command stays available.
    void Configure() noexcept;

private:
    // The visible start of the reconnect procedure; a failure ends it.
    void DisconnectReconnectVelmaron();
    void checkReadiness();
    void announceSuccess();

    WorkflowView& view_;
    int& state_;
};

} // namespace velmaron
