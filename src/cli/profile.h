#pragma once
// Profiles: small JSON files that hold the settings the window offers, to be written onto
// many devices. Every key is optional: what a profile leaves out stays as each device holds
// it. The same object, without "velmaronProfile", is what `show --json` reports as a device's
// settings (docs/profile.md tells the schema).

#include "config/device_settings.h"
#include "config/language.h"

#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmaron::cli {

using Json = nlohmann::ordered_json;

// The version of the schema that "velmaronProfile" names.
inline constexpr int ProfileSchema = 1;

struct DateRangeChoice {
    bool on = false;
    std::optional<std::chrono::sys_days> from; // both dates or neither
    std::optional<std::chrono::sys_days> to;
};

struct Profile {
    std::optional<int> periodDays; // 0: everything since the last download
    // By the data sets' keys, in the order of DataSetKeys.
    std::array<std::optional<bool>, 8> dataSets{};
    std::optional<int> fileNameFormat; // 0 to 4, as the window numbers them
    std::optional<bool> velmaronPlus;
    std::optional<bool> cardDate;
    std::optional<DateRangeChoice> dateRange;
};

// The data sets' keys in "dataSets", each with its member of DataSets.
struct DataSetKey {
    std::string_view key;
    bool DataSets::*dataSet;
};
extern const std::array<DataSetKey, 8> DataSetKeys;

// A key of a profile ("dataSets.fourHz"; empty for the file as a whole) and what is wrong
// with it, in both languages: why the profile is refused, or why a device does not take it.
struct KeyProblem {
    std::string key;
    std::string german;
    std::string english;
    std::string text(Language language) const;
};

std::variant<Profile, KeyProblem> ParseProfile(std::string_view text);

// A device's settings as a profile's keys; only what its version file reports.
Json SettingsJson(const DeviceSettings& settings, const ReportedSettings& reported);
// A whole profile file from a device's settings, which ParseProfile takes again: a value the
// device holds that a profile cannot (a negative period, a date range that is on and ends
// before it starts) is left out, with the reason.
struct SavedProfile {
    std::string text;
    std::vector<KeyProblem> leftOut;
};
SavedProfile ProfileText(const DeviceSettings& settings, const ReportedSettings& reported);

} // namespace velmaron::cli
