#pragma once
// A device's settings in words, in the window's German or in English: one row a setting, in
// the order the window shows them.

#include "config/device_settings.h"
#include "config/language.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron {

struct SettingRow {
    std::string name;
    std::string value; // "nicht gemeldet" / "not reported" where `known` leaves it out
    bool operator==(const SettingRow&) const = default;
};

// The period, the data sets, the extra data, the file-name format, the model, the card date
// and the date range. The period and the TREP data sets are always known.
std::vector<SettingRow> SettingsInWords(const DeviceSettings& settings,
                                        const ReportedSettings& known, Language language);

// The software version label: "SW Version - QX 54", "SW Version - CR 12" or
// "AB - Unerwartete Softwareversion".
std::string SoftwareVersionCaption(std::string_view deviceType, int softwareVersion);

// The window's names of the file-name formats, 0 to 4.
std::string FileNameFormatName(int format, Language language);

// A calendar day as YYYY-MM-DD.
std::string DayText(std::chrono::sys_days day);
// The day a text YYYY-MM-DD names: digits at exactly those places, a day the calendar has;
// nullopt otherwise. Which days are allowed is the caller's.
std::optional<std::chrono::sys_days> ParseDay(std::string_view text);

} // namespace velmaron
