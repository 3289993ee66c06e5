#pragma once
// The configuration file that the device takes over when it is next plugged in.

#include "config/config_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace velmaron {

struct ConfigFile {
    std::string fileName;           // "QX999000.HEX" or "CR999000.HEX", inside UPDATES
    std::vector<std::string> lines; // the records, without line ends
    std::string listLine;           // the diagnostic line once the file is written
};

enum class ConfigError {
    None,
    UnknownDeviceType, // the version text names neither "QX" nor "CR"
    PeriodOutOfRange,  // the days, or their seconds, do not fit a signed 32-bit number
    DateOutOfRange,    // a picker date the device's count cannot express
    RangeInverted,     // the date range is on and ends before it starts
};

struct ConfigBuildResult {
    int ConfigByte = 0; // rebuilt from the window; the window keeps it even without a file
    std::optional<ConfigFile> file;
    ConfigError error = ConfigError::None; // why there is no file
};

// Builds the whole file from the window's values; nothing is written here.
ConfigBuildResult BuildConfigFile(const ConfigSettings& settings);

// The file's bytes: every line, the last one included, ended by CR LF.
std::string ConfigFileBytes(const ConfigFile& file);

} // namespace velmaron
