#include "config/settings_words.h"

#include "config/version_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace velmaron {
namespace {

struct Words {
    std::string_view german;
    std::string_view english;
};

std::string in(Language language, const Words& words) {
    return std::string(InLanguage(language, words.german, words.english));
}

constexpr std::array<Words, 5> FileNameWords = {{
    {"Abgekürzter Dateiname", "abbreviated"},
    {"Europa/VDO(DDD)", "European/VDO (DDD)"},
    {"Französisch (C1B/V1B)", "French (C1B/V1B)"},
    {"Spanisch (TGD)", "Spanish (TGD)"},
    {"Brennick (DDD)", "Brennick (DDD)"},
}};

// The names of the data sets of one list that are on, after those already in names.
std::string namesOf(const DataSets& data, CodeList list, std::string names, Language language) {
    for (const DataSet& set : DataSetTable)
        if (set.list == list && data.*set.member)
            names += (names.empty() ? "" : ", ") + in(language, {set.german, set.english});
    return names.empty() ? in(language, {"keine", "none"}) : names;
}

std::string extraData(const DeviceSettings& s, const ReportedSettings& known, Language language) {
    DataSets shown = s.data;
    shown.detailedSpeed168h = shown.detailedSpeed168h && known.speed168h;
    return namesOf(shown, CodeList::Extra, {}, language);
}

std::string period(int days, Language language) {
    if (days == 0)
        return in(language, {"seit dem letzten Download", "since the last download"});
    const bool one = days == 1 || days == -1;
    return std::to_string(days) + " " +
           (one ? in(language, {"Tag", "day"}) : in(language, {"Tage", "days"}));
}

std::string dateRange(const DeviceSettings& s, Language language) {
    if (!s.dateRangeOn)
        return in(language, {"aus", "off"});
    return DayText(s.rangeStart) + in(language, {" bis ", " to "}) + DayText(s.rangeEnd);
}

} // namespace

std::string FileNameFormatName(int format, Language language) {
    return in(language, FileNameWords.at(static_cast<std::size_t>(format)));
}

std::string DayText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<std::chrono::sys_days> ParseDay(std::string_view text) {
    // Read field by field: a scan would skip blanks and take signs.
    const auto field = [text](std::size_t pos, std::size_t length) -> std::optional<unsigned> {
        const std::string_view digits = text.substr(pos, length);
        unsigned value = 0;
        if (!std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = field(0, 4);
    const auto month = field(5, 2);
    const auto day = field(8, 2);
    if (!year || !month || !day)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(*year)},
                                           std::chrono::month{*month}, std::chrono::day{*day}};
    if (!date.ok())
        return std::nullopt;
    return std::chrono::sys_days{date};
}

std::vector<SettingRow> SettingsInWords(const DeviceSettings& s, const ReportedSettings& known,
                                        Language language) {
    const std::string unknown = in(language, {"nicht gemeldet", "not reported"});
    const auto knownOr = [&](bool isKnown, std::string value) {
        return isKnown ? std::move(value) : unknown;
    };
    const bool yes = s.cardDate;
    return {
        {in(language, {"Zeitraum", "Period"}), period(s.periodDays, language)},
        {in(language, {"Datensätze", "Data sets"}),
         namesOf(s.data, CodeList::Trep, in(language, {"Übersicht", "overview"}), language)},
        {in(language, {"Zusatzdaten", "Extra data"}),
         knownOr(known.speedData, extraData(s, known, language))},
        {in(language, {"Dateiname", "File names"}),
         knownOr(known.configByte, FileNameFormatName(FileNameFormatOf(s), language))},
        {in(language, {"Modell", "Model"}),
         knownOr(known.configByte, s.velmaronPlus ? "Velmaron Plus" : "Velmaron")},
        {in(language, {"Datum auf Karte", "Date onto the card"}),
         knownOr(known.configByte,
                 yes ? in(language, {"ja", "yes"}) : in(language, {"nein", "no"}))},
        {in(language, {"Von/Bis", "Date range"}), knownOr(known.dateRange, dateRange(s, language))},
    };
}

std::string SoftwareVersionCaption(std::string_view deviceType, int softwareVersion) {
    if (ClassOf(deviceType) == DeviceClass::Unexpected)
        return std::string(deviceType) + " - Unerwartete Softwareversion";
    return "SW Version - " + std::string(deviceType) + SignedNumberText(softwareVersion);
}

} // namespace velmaron
