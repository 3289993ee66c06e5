#pragma once
// The settings a Velmaron holds, as one value: decoded from the status file the device writes
// (UPDATES\digivers.ion), turned into what the configuration writer takes, and encoded again
// as a device reports them. The window reads the status file its own way, control by control,
// because its click reactions run in between; both take the file's layout and the
// configuration byte's fields from device/version_file.h and the data sets' codes from
// config/data_sets.h, and the window's writer builds the lists that a device keeps.

#include "config/config_file.h"
#include "config/config_settings.h"
#include "config/data_sets.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

struct DeviceSettings {
    std::string deviceType = "QX"; // "QX" or "CR"
    int softwareVersion = 54;
    int periodDays = 0; // 0: everything since the last download
    DataSets data;
    // The file-name format as the window numbers it: 0 abbreviated, 1 "Europa/VDO(DDD)",
    // 2 French, 3 Spanish, 4 "Brennick (DDD)".
    int fileNameFormat = 1;
    bool velmaronPlus = false;
    bool cardDate = false; // the download date is written onto the driver card
    bool keepBit1 = false; // bit 1 of the configuration byte is clear and stays clear
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

// What a status file of this type and software version reports besides the period and the
// TREP data sets 02 to 06; DecodeStatusFile leaves the rest at its defaults.
struct ReportedSettings {
    bool configByte = false; // file-name format, model, card date
    bool speedData = false;  // VDO-specific and 4 Hz data
    bool speed168h = false;
    bool dateRange = false;
};
ReportedSettings SettingsReported(std::string_view deviceType, int softwareVersion);

// Why a status file gives no settings, in the order DecodeStatusFile checks.
enum class StatusRefusal {
    None,            // the settings were read
    TooShort,        // fewer than 21 bytes
    BadHeader,       // no type, six digits from 00 and HEX at the start
    UnknownType,     // a type other than QX and CR
    NoConfiguration, // software 8 or older
    LengthMismatch,  // a length that does not fit the type and version
};

struct StatusDecode {
    std::optional<DeviceSettings> settings;
    StatusRefusal refusal = StatusRefusal::None;
    std::string problem; // why there are none, in English
};

// The settings a status file reports, read as the window reads them: a list ends at two 255
// bytes in a row, the extra-data list may run on into the date fields, and below version 36
// VDO-specific and 4 Hz data go together. Refused, with the reason: a file shorter than 21
// bytes, a broken header, a type other than QX and CR, software without a readable
// configuration (8 and older), and a length that does not fit the type and version.
StatusDecode DecodeStatusFile(std::string_view statusFile);

// The file-name format, model, card date and bit 1 as a configuration byte holds them.
void TakeConfigByte(DeviceSettings& settings, int configByte);

// What the window's writer reads while the window shows these settings.
ConfigSettings ToConfigSettings(const DeviceSettings& settings);

// The settings block of a device that holds these settings, as the window's writer would put
// them into a configuration file; the extra data and the date range only where the device's
// status file has room for them.
SettingsBlockBytes SettingsBlockOf(const DeviceSettings& settings);

// The status file a device of this type and software version writes from its settings block,
// in the form they call for: 21, 25 or 80 bytes.
std::string StatusFileOf(std::string_view deviceType, int softwareVersion,
                         const SettingsBlockBytes& block);

// The settings a device of this type and software version reports once it has taken the
// configuration file with these bytes over; nullopt when it would refuse the file (broken, or
// meant for another type) or its status file reports none.
std::optional<DeviceSettings> SettingsAfterTakeOver(std::string_view configFileBytes,
                                                    std::string_view deviceType,
                                                    int softwareVersion);

} // namespace velmaron
