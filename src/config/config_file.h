#pragma once
// The configuration file that the device takes over when it is next plugged in: Intel HEX
// records that fill the device's settings block.

#include "config/device_settings.h"
#include "config/settings_block.h"

#include <optional>
#include <string>
#include <vector>

namespace velmaron {

struct ConfigFile {
    std::string fileName;           // "QX999000.HEX" or "CR999000.HEX", inside UPDATES
    std::vector<std::string> lines; // the records, without line ends
    std::string listLine;           // the diagnostic line once the file is written
};

struct ConfigBuildResult {
    int ConfigByte = 0; // rebuilt from the settings; kept for the next one even without a file
    std::optional<ConfigFile> file;
    ConfigError error = ConfigError::None; // why there is no file
};

// Builds the whole file for a device of the settings' type; nothing is written here. A
// standard device gets its settings block as LayOutSettings lays it out, a date range that
// is on and ends before it starts refused; a CR gets only the configuration byte.
ConfigBuildResult BuildConfigFile(const DeviceSettings& settings);

// The file's bytes: every line, the last one included, ended by CR LF.
std::string ConfigFileBytes(const ConfigFile& file);

} // namespace velmaron
