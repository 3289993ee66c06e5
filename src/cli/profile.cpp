#include "cli/profile.h"

#include "cli/cli_texts.h"
#include "config/date_codec.h"
#include "config/download_period.h"
#include "config/settings_words.h"

#include <stdexcept>

namespace velmaron::cli {

const std::array<DataSetKey, 8> DataSetKeys = {{
    {"dailyActivities", TrepDataSets[0]},
    {"eventsAndFaults", TrepDataSets[1]},
    {"detailedSpeed24h", TrepDataSets[2]},
    {"technicalData", TrepDataSets[3]},
    {"driverCard", TrepDataSets[4]},
    {"vdoSpecific", &DataSets::vdoSpecific},
    {"detailedSpeed168h", &DataSets::detailedSpeed168h},
    {"fourHz", &DataSets::fourHz},
}};

namespace {

constexpr std::array<std::string_view, 5> FileNameKeys = {"abbreviated", "european", "french",
                                                          "spanish", "brennick"};
constexpr std::array<std::string_view, 2> ModelKeys = {"velmaron", "velmaron-plus"};
// The reason, with what follows it (the range, the names or the days allowed).
[[noreturn]] void refuse(const std::string& key, Words reason, const std::string& detail = {}) {
    throw KeyProblem{key, std::string(reason.german) + detail,
                     std::string(reason.english) + detail};
}

bool boolean(const Json& value, const std::string& key) {
    if (!value.is_boolean())
        refuse(key, CliTexts::ExpectedBoolean);
    return value.get<bool>();
}

int wholeNumber(const Json& value, const std::string& key, int low, int high) {
    if (!value.is_number_integer())
        refuse(key, CliTexts::ExpectedWholeNumber);
    const auto number = value.get<long long>();
    if (number < low || number > high) {
        const std::string range = std::to_string(low) + " - " + std::to_string(high);
        refuse(key, CliTexts::OutOfRange, range);
    }
    return static_cast<int>(number);
}

template <std::size_t N>
int oneOf(const Json& value, const std::string& key, const std::array<std::string_view, N>& names) {
    std::string allowed;
    for (std::string_view name : names)
        allowed += (allowed.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    if (!value.is_string())
        refuse(key, CliTexts::ExpectedText, allowed);
    for (std::size_t i = 0; i < N; ++i)
        if (value.get<std::string>() == names[i])
            return static_cast<int>(i);
    refuse(key, CliTexts::AllowedAre, allowed);
}

const Json& object(const Json& value, const std::string& key) {
    if (!value.is_object())
        refuse(key, CliTexts::ExpectedObject);
    return value;
}

std::chrono::sys_days day(const Json& value, const std::string& key) {
    using std::chrono::days;
    // The days whose every second the device's count reaches.
    const std::chrono::sys_days first = std::chrono::floor<days>(EpochDate);
    const std::chrono::sys_days last = std::chrono::floor<days>(WrapDate) - days{1};
    if (value.is_string())
        if (const auto parsed = ParseDay(value.get<std::string>());
            parsed && *parsed >= first && *parsed <= last)
            return *parsed;
    const std::string wanted = "YYYY-MM-DD, " + DayText(first) + " - " + DayText(last);
    refuse(key, CliTexts::ExpectedDate, wanted);
}

DateRangeChoice dateRange(const Json& value) {
    DateRangeChoice range;
    for (const auto& [key, item] : object(value, "dateRange").items()) {
        const std::string name = "dateRange." + key;
        if (key == "on")
            range.on = boolean(item, name);
        else if (key == "from")
            range.from = day(item, name);
        else if (key == "to")
            range.to = day(item, name);
        else
            refuse(name, CliTexts::UnknownKey);
    }
    if (!value.contains("on"))
        refuse("dateRange.on", CliTexts::Missing);
    if (range.from.has_value() != range.to.has_value())
        refuse(range.from ? "dateRange.to" : "dateRange.from", CliTexts::BothDatesOrNone);
    if (range.on && range.from && *range.to < *range.from)
        refuse("dateRange.to", CliTexts::LiesBeforeStart);
    return range;
}

void dataSets(const Json& value, Profile& profile) {
    for (const auto& [key, item] : object(value, "dataSets").items()) {
        std::size_t i = 0;
        while (i < DataSetKeys.size() && DataSetKeys[i].key != key)
            ++i;
        if (i == DataSetKeys.size())
            refuse("dataSets." + key, CliTexts::UnknownKey);
        profile.dataSets[i] = boolean(item, "dataSets." + key);
    }
}

Profile profileOf(const Json& json) {
    if (!json.is_object())
        refuse("", CliTexts::ExpectedJsonObject);
    if (!json.contains("velmaronProfile"))
        refuse("velmaronProfile", CliTexts::NotAProfile);
    Profile profile;
    for (const auto& [key, value] : json.items()) {
        if (key == "velmaronProfile")
            wholeNumber(value, key, ProfileSchema, ProfileSchema);
        else if (key == "periodDays")
            profile.periodDays = wholeNumber(value, key, 0, MaxPeriodDays);
        else if (key == "dataSets")
            dataSets(value, profile);
        else if (key == "fileNameFormat")
            profile.fileNameFormat = oneOf(value, key, FileNameKeys);
        else if (key == "model")
            profile.velmaronPlus = oneOf(value, key, ModelKeys) == 1;
        else if (key == "cardDate")
            profile.cardDate = boolean(value, key);
        else if (key == "dateRange")
            profile.dateRange = dateRange(value);
        else
            refuse(key, CliTexts::UnknownKey);
    }
    return profile;
}

} // namespace

std::string KeyProblem::text(Language language) const {
    const std::string& reason = language == Language::English ? english : german;
    return key.empty() ? reason : key + ": " + reason;
}

std::variant<Profile, KeyProblem> ParseProfile(std::string_view text) {
    try {
        return profileOf(Json::parse(text));
    } catch (const Json::parse_error& error) {
        return KeyProblem{{},
                          std::string(CliTexts::NotJson.german) + error.what(),
                          std::string(CliTexts::NotJson.english) + error.what()};
    } catch (const KeyProblem& problem) {
        return problem;
    }
}

Json SettingsJson(const DeviceSettings& s, const ReportedSettings& reported) {
    Json json;
    json["periodDays"] = s.periodDays;
    Json data = Json::object();
    for (const DataSetKey& entry : DataSetKeys) {
        const bool speed =
            entry.dataSet == &DataSets::vdoSpecific || entry.dataSet == &DataSets::fourHz;
        const bool known = entry.dataSet == &DataSets::detailedSpeed168h ? reported.speed168h
                           : speed                                       ? reported.speedData
                                                                         : true;
        if (known)
            data[std::string(entry.key)] = s.data.*entry.dataSet;
    }
    json["dataSets"] = data;
    if (reported.configByte) {
        json["fileNameFormat"] = FileNameKeys.at(static_cast<std::size_t>(FileNameFormatOf(s)));
        json["model"] = ModelKeys[s.velmaronPlus ? 1 : 0];
        json["cardDate"] = s.cardDate;
    }
    if (reported.dateRange)
        json["dateRange"] = {
            {"on", s.dateRangeOn}, {"from", DayText(s.rangeStart)}, {"to", DayText(s.rangeEnd)}};
    return json;
}

SavedProfile ProfileText(const DeviceSettings& settings, const ReportedSettings& reported) {
    Json json = {{"velmaronProfile", ProfileSchema}};
    json.update(SettingsJson(settings, reported));
    // The reader's own rules say what a profile holds; each key it refuses goes, a date of a
    // range that is off alone (the range stays off), any other key as a whole.
    SavedProfile saved;
    for (auto parsed = ParseProfile(json.dump()); std::holds_alternative<KeyProblem>(parsed);
         parsed = ParseProfile(json.dump())) {
        KeyProblem& problem = std::get<KeyProblem>(parsed);
        const std::string key = problem.key.substr(0, problem.key.find('.'));
        if (key == "dateRange" && !settings.dateRangeOn && json[key].erase("from") > 0)
            json[key].erase("to");
        else if (key.empty() || key == "velmaronProfile" || json.erase(key) == 0)
            throw std::logic_error("a saved profile is refused: " + problem.english);
        saved.leftOut.push_back(std::move(problem));
    }
    saved.text = json.dump(2) + "\n";
    return saved;
}

} // namespace velmaron::cli
