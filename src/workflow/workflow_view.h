#pragma once
// What the workflow shows through its front end, the window or the command-line tool. The
// view only shows: every read and write on the device is the workflow's own.

#include "config/config_file.h"
#include "config/version_file_decoder.h"
#include "device/device_files.h"
#include "device/device_scan.h"
#include "device/durable_save.h"

#include <string>
#include <variant>

namespace velmaron {

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
enum class Message { None, ConnectDevice, DeviceFound, SettingsRead, NotSuitable, Saving, Saved };
enum class Instruction { Unplug, Replug, UnplugUnsuitable };
enum class Arrow { None, In, Out };

// What is wrong with a device's version file, as the user learns it: it cannot be read, or it
// was broken and has been deleted so that the device writes a new one. A header that names no
// software version is told first, before the file is deleted as broken.
enum class VersionFileProblem { Missing, Broken, BadHeader };

// One read of a device's version file: how the file could be read, and what it says.
struct VersionFileRead {
    ReadStatus file = ReadStatus::Missing;
    VersionFileContent content; // when the file could be read
    bool readable() const { return file == ReadStatus::Ok; }
};

// Why a configuration was not saved: it could not be built, or not be put onto the device.
using ConfigureFailure = std::variant<ConfigError, SaveError>;

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
    // What a poll found among the drives, and what the configure command's search found.
    virtual void showScan(const ScanResult&) {}
    virtual void showSearch(const ScanResult&) {}
    // A read of the device's settings is about to begin.
    virtual void beginRead() {}
    // What a read of the version file gave.
    virtual void showSettings(const VersionFileRead&) {}
    virtual void showVersionFileProblem(VersionFileProblem) {}
    // The configuration file is on the device.
    virtual void showConfigFileWritten(const ConfigFile&) {}
    virtual void reportFailure(const ConfigureFailure& failure) = 0;
    // The polls must go on while the user handles the cable.
    virtual void keepPolling() {}
    virtual void stateChanged(WorkflowStates /*from*/, WorkflowStates /*to*/) {}
    // A poll has waited this long on the drive at root; the next poll that ends shows the
    // drives afresh.
    virtual void showUnresponsiveDrive(const std::string& /*root*/) {}
};

} // namespace velmaron
