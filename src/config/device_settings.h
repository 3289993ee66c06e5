#pragma once
// The settings a Velmaron holds, as one value: what the version file reports, what the window
// shows and reads back from its controls, what the writer puts into a configuration file, and
// what the command-line tool and the emulator work with.

#include "config/data_sets.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

struct DeviceSettings {
    std::string deviceType = "QX"; // "QX" or "CR"; anything else cannot be written
    int softwareVersion = 54;
    // 0: everything since the last download. A number of days the device's count of seconds
    // cannot hold makes the writer refuse.
    int periodDays = 0;
    DataSets data;
    // The file-name format as the window numbers it: 0 abbreviated, 1 "Europa/VDO(DDD)",
    // 2 French, 3 Spanish, 4 "Brennick (DDD)". None chosen: the configuration byte keeps the
    // bits the device reported.
    std::optional<int> fileNameFormat = 1;
    bool velmaronPlus = false;
    bool cardDate = false; // the download date is written onto the driver card
    bool keepBit1 = false; // bit 1 of the configuration byte is clear and stays clear
    int configByte = 0xFF; // the configuration byte as the device reported it
    bool dateRangeOn = false;
    std::chrono::sys_days rangeStart{};
    std::chrono::sys_days rangeEnd{};
    bool operator==(const DeviceSettings&) const = default;
};

// What the window offers a standard device of this software version; what it does not offer
// stays as the device holds it.
struct OfferedSettings {
    bool speedData = false;         // VDO-specific and 4 Hz data
    bool speedDataTogether = false; // the two go together, as one TREP code
    bool speed168h = false;
    bool moreFileNames = false; // formats 2 to 4
    bool dateRange = false;
};
OfferedSettings SettingsOffered(int softwareVersion);

// What a version file of this type and software version reports besides the period and the
// TREP data sets 02 to 06; the decoder leaves the rest at its defaults.
struct ReportedSettings {
    bool configByte = false; // file-name format, model, card date
    bool speedData = false;  // VDO-specific and 4 Hz data
    bool speed168h = false;
    bool dateRange = false;
};
ReportedSettings SettingsReported(std::string_view deviceType, int softwareVersion);

// The file-name format, model, card date and bit 1 as a configuration byte holds them.
void TakeConfigByte(DeviceSettings& settings, int configByte);
// The file-name format the settings stand for: the one chosen, else the reported byte's.
int FileNameFormatOf(const DeviceSettings& settings);

// The settings a device of this type and software version reports once it has taken the
// configuration file with these bytes over; nullopt when it would refuse the file (broken, or
// meant for another type) or its version file reports none.
std::optional<DeviceSettings> SettingsAfterTakeOver(std::string_view configFileBytes,
                                                    std::string_view deviceType,
                                                    int softwareVersion);

} // namespace velmaron
