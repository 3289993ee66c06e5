#pragma once
// What a Velmaron reports, for the commands that ask a device (show, profile save) and for the
// fleet run.

#include "config/device_settings.h"
#include "workflow/device_port.h"
#include "workflow/workflow_view.h"

#include <optional>
#include <string>

namespace velmaron::cli {

struct DeviceRead {
    enum class Status {
        Ok,              // settings holds what the device reports
        NoConfiguration, // software 8 or older: type and version only
        Missing,         // no version file that can be read
        Broken,          // too short, a broken header, or a length that does not fit
        UnknownType,     // a type other than QX and CR
    };
    Status status = Status::Missing;
    std::string deviceType; // when the header is sound
    int softwareVersion = 0;
    std::optional<DeviceSettings> settings;
    std::string problem; // why there are no settings, in English
};

// What one read of the version file tells of the device.
DeviceRead DeviceReadOf(const VersionFileRead& read);

// Reads and decodes the version file UPDATES\digivers.ion on the drive; nothing is changed.
DeviceRead ReadDevice(DevicePort& port, const std::string& driveRoot);

} // namespace velmaron::cli
