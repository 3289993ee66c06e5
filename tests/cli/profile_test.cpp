// Profiles: what is refused, with key and reason, and what they make of each software version.

#include "cli/apply_plan.h"

#include <gtest/gtest.h>

namespace velmaron::cli {
namespace {

TEST(ProfileTest, RefusedWithTheKeyAndTheReason) {
    const auto p = [](const std::string& body) { return "{\"velmaronProfile\": 1, " + body + "}"; };
    const auto range = [&](const std::string& from, const std::string& to) {
        return p("\"dateRange\": {\"on\": true, \"from\": " + from + ", \"to\": " + to + "}");
    };
    const struct {
        std::string text;
        const char* refusal; // the English text, "" when the profile is sound
    } cases[] = {
        {"{\"velmaronProfile\": 1", "not valid JSON"},
        {"[1]", "expected a JSON object"},
        {"{\"periodDays\": 3}", "velmaronProfile: is missing"},
        {"{\"velmaronProfile\": 2}", "velmaronProfile: out of the range 1 - 1"},
        {p("\"perodDays\": 3"), "perodDays: unknown key"},
        {p("\"periodDays\": 24855"), ""},
        {p("\"periodDays\": 24856"), "periodDays: out of the range 0 - 24855"},
        {p("\"periodDays\": -1"), "periodDays: out of the range"},
        {p("\"periodDays\": \"28\""), "periodDays: expected a whole number"},
        {p("\"periodDays\": 2.5"), "periodDays: expected a whole number"},
        {p("\"dataSets\": []"), "dataSets: expected an object"},
        {p("\"dataSets\": {\"fourHz\": 1}"), "dataSets.fourHz: expected true or false"},
        {p("\"dataSets\": {\"overview\": true}"), "dataSets.overview: unknown key"},
        {p("\"fileNameFormat\": \"german\""), "fileNameFormat: allowed are \"abbreviated\","},
        {p("\"model\": 1"), "model: expected a text: \"velmaron\", \"velmaron-plus\""},
        {p("\"cardDate\": null"), "cardDate: expected true or false"},
        {p("\"dateRange\": {\"from\": \"2026-01-01\", \"to\": \"2026-01-02\"}"),
         "dateRange.on: is missing"},
        {p("\"dateRange\": {\"on\": true, \"from\": \"2026-01-01\"}"), "dateRange.to: is missing"},
        {p("\"dateRange\": {\"on\": true, \"to\": \"2026-02-30\"}"),
         "dateRange.to: expected a date"},
        {p("\"dateRange\": {\"on\": true, \"from\": \"1969-12-31\", \"to\": \"2026-01-01\"}"),
         "dateRange.from: expected a date YYYY-MM-DD, 1970-01-01 - 2106-02-06"},
        {p("\"dateRange\": {\"on\": true, \"from\": \"2026-01-02\", \"to\": \"2026-01-01\"}"),
         "dateRange.to: lies before dateRange.from"},
        {p("\"dateRange\": {\"on\": false, \"from\": \"2026-01-02\", \"to\": \"2026-01-01\"}"), ""},
        {p("\"dateRange\": {\"on\": true, \"until\": 1}"), "dateRange.until: unknown key"},
        // Digits at fixed places only, and the last day the device's count holds whole.
        {range("\" 2026-01-1\"", "\"2026-01-01\""), "dateRange.from: expected a date"},
        {range("\"2026-+1-01\"", "\"2026-01-01\""), "dateRange.from: expected a date"},
        {range("\"2026-01-01\"", "20260101"), "dateRange.to: expected a date"},
        {range("\"1970-01-01\"", "\"2106-02-06\""), ""},
        {range("\"2026-01-01\"", "\"2106-02-07\""), "dateRange.to: expected a date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseProfile(c.text);
        const auto* problem = std::get_if<KeyProblem>(&parsed);
        ASSERT_EQ(problem != nullptr, *c.refusal != '\0');
        if (problem) {
            EXPECT_TRUE(problem->text(Language::English).starts_with(c.refusal))
                << problem->text(Language::English);
            EXPECT_FALSE(problem->german.empty());
        }
    }
}

// The window's offers and interlocks by software version: what is written, what is refused.
TEST(ProfileTest, PlanFollowsTheWindowsOptionsForTheVersion) {
    using std::chrono::year;
    using Wish = std::optional<bool>;
    const DateRangeChoice range{true, year{2026} / 1 / 1, year{2026} / 3 / 31};
    const DateRangeChoice off{false, {}, {}};
    const struct {
        int version;
        Wish vdo, speed168h, fourHz;
        std::optional<int> format;
        std::optional<DateRangeChoice> dateRange;
        std::tuple<bool, bool, bool, int, bool> written; // vdo, 168 h, 4 Hz, format, range
        std::vector<std::string> notTaken;
    } cases[] = {
        {25, false, {}, false, 2, {}, {false, false, false, 1, false}, {"fileNameFormat"}},
        {25, true, {}, {}, {}, {}, {false, false, false, 1, false}, {"dataSets.vdoSpecific"}},
        {27, {}, {}, {}, 4, {}, {false, false, false, 4, false}, {}},
        {30, true, true, {}, {}, {}, {true, false, true, 1, false}, {"dataSets.detailedSpeed168h"}},
        {30, {}, {}, true, {}, {}, {true, false, true, 1, false}, {}},
        {35, true, {}, false, {}, {}, {false, false, false, 1, false}, {"dataSets.fourHz"}},
        {36, true, {}, false, {}, range, {true, false, false, 1, false}, {"dateRange"}},
        {53, {}, {}, {}, {}, off, {false, false, false, 1, false}, {}},
        {54, {}, true, {}, {}, range, {false, true, false, 1, true}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        Profile profile;
        profile.dataSets[5] = c.vdo;
        profile.dataSets[6] = c.speed168h;
        profile.dataSets[7] = c.fourHz;
        profile.fileNameFormat = c.format;
        profile.dateRange = c.dateRange;
        DeviceSettings device;
        device.softwareVersion = c.version;
        const ApplyPlan plan = PlanFor(profile, device);
        const DataSets& d = plan.target.data;
        EXPECT_EQ(std::tuple(d.vdoSpecific, d.detailedSpeed168h, d.fourHz,
                             plan.target.fileNameFormat, plan.target.dateRangeOn),
                  c.written);
        std::vector<std::string> keys;
        for (const KeyProblem& item : plan.notTaken)
            keys.push_back(item.key);
        EXPECT_EQ(keys, c.notTaken);
    }
}

} // namespace
} // namespace velmaron::cli
