#pragma once
// The emulator's words for what it shows: a device's settings and each drive of the folder.

#include "config/device_settings.h"
#include "sim_drive.h"

#include <string>
#include <vector>

namespace velmaron::sim {

// One line a setting: period, data sets, file names, model, card date, date range.
std::vector<std::string> DescribeSettings(const DeviceSettings& settings);

// The drive, and for a Velmaron what its version file reports and what configuration file
// waits for it.
std::vector<std::string> DescribeDrive(const SimFolder& folder, char letter);

} // namespace velmaron::sim
