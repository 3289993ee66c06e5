#pragma once
// What a Velmaron reports, for the commands that ask a device (show, profile save) and for the
// fleet run.

#include "config/device_settings.h"
#include "device/device_files.h"
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

// What one read of the version file tells of the device: as the workflow read it, or as the
// file came, decoded here.
DeviceRead DeviceReadOf(const VersionFileRead& read);
DeviceRead DeviceReadOf(const ReadResult& file);

} // namespace velmaron::cli
