#include "config/config_file.h"
#include "config/download_period.h"
#include "config/version_file.h"
#include "support/civil_time.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

using testing::At;
using Lines = std::vector<std::string>;

const std::string qxEnd = ":00000001FF";
const std::string rangeUnticked = ":093A47005B3819805D1A9E80FFB6";

std::chrono::sys_days dayOf(DateTime moment) {
    return std::chrono::floor<std::chrono::days>(moment);
}

// The window as it starts: "Europa/VDO(DDD)", "Velmaron Plus", no period.
DeviceSettings startSettings(std::string_view versionText = "QX000054", int softwareVersion = 54) {
    DeviceSettings s;
    s.deviceType = DeviceTypeOf(versionText);
    s.softwareVersion = softwareVersion;
    s.fileNameFormat = 1;
    s.velmaronPlus = true;
    s.periodDays = 0;
    s.configByte = 0;
    s.rangeStart = dayOf(At(2018, 7, 1));
    s.rangeEnd = dayOf(At(2019, 7, 2));
    return s;
}

Lines linesOf(const DeviceSettings& s) {
    const auto result = BuildConfigFile(s);
    EXPECT_TRUE(result.file);
    return result.file ? result.file->lines : Lines{};
}

TEST(ConfigFile, RebuildsTheConfigurationByteForEveryDeviceType) {
    const struct {
        const char* name;
        std::optional<int> format;
        bool plus, cardDate, keepBit1;
        int before, after;
    } cases[] = {
        {"window start", 1, true, false, false, 0x00, 0x3F},
        {"card date and bit 1 kept", 1, true, true, true, 0x00, 0x35},
        {"abbreviated name", 0, false, false, false, 0x00, 0xFF},
        {"French", 2, false, false, false, 0x00, 0xAF},
        {"Spanish", 3, false, false, false, 0x00, 0x9F},
        {"Brennick", 4, false, false, false, 0x00, 0x8F},
        {"no format keeps the byte", std::nullopt, false, false, false, 0x8F, 0x8F},
        {"no format, flags still cleared", std::nullopt, true, true, true, 0xFF, 0x75},
        {"unknown index counts as none", 7, false, false, false, 0x9F, 0x9F},
    };
    for (const char* versionText : {"QX000054", "CR000054", "??"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(versionText) + ": " + c.name);
            DeviceSettings s = startSettings(versionText);
            s.fileNameFormat = c.format;
            s.velmaronPlus = c.plus;
            s.cardDate = c.cardDate;
            s.keepBit1 = c.keepBit1;
            s.configByte = c.before;
            EXPECT_EQ(BuildConfigFile(s).ConfigByte, c.after);
        }
    }
}

TEST(ConfigFile, TakesTheDeviceTypeFromTheFirstTwoCharacters) {
    // Empty: no file.
    const std::pair<std::string, std::string> cases[] = {
        {"QX000054", "QX999000.HEX Konfigurationsdatei erstellt"},
        {"qx000054", "QX999000.HEX Konfigurationsdatei erstellt"},
        {"CR000054", "CR999000.HEX Configuration file created"},
        {"", ""},
        {"Q", ""},
        {"XY000054", ""},
        {" QX000054", ""},
    };
    for (const auto& [versionText, made] : cases) {
        const auto result = BuildConfigFile(startSettings(versionText));
        EXPECT_EQ(result.file ? result.file->fileName + " " + result.file->listLine : "", made)
            << versionText;
        EXPECT_EQ(result.error, made.empty() ? ConfigError::UnknownDeviceType : ConfigError::None);
    }
}

TEST(ConfigFile, BuildsTheWholeFile) {
    DeviceSettings five = startSettings();
    five.periodDays = 92;
    five.data = {true, true, true, true, true, true, false, false};
    five.dateRangeOn = true;
    EXPECT_EQ(linesOf(five),
              (Lines{":103A00003F5158303030303037484558004A7900FF", ":073A1000010203040506FF9B",
                     ":083A2000011213141516FFFF3B", ":093A47005B3819805D1A9E805560", qxEnd}));

    // Software 35 sends VDO data as a TREP code and reads no dates.
    DeviceSettings three = startSettings("QX000035", 35);
    three.data.vdoSpecific = three.data.detailedSpeed168h = three.data.fourHz = true;
    three.dateRangeOn = true;
    three.rangeStart = dayOf(At(1800, 1, 1));
    EXPECT_EQ(linesOf(three),
              (Lines{":103A00003F5158303030303037484558FFFFFFFFC6", ":033A10000111FFA2", qxEnd}));

    DeviceSettings four = startSettings("QX000036", 36);
    EXPECT_EQ(linesOf(four), (Lines{":103A00003F5158303030303037484558FFFFFFFFC6",
                                    ":023A100001FFB4", rangeUnticked, qxEnd}));

    // The CR reads neither the period nor the dates nor these boxes.
    DeviceSettings cr = startSettings("cr000054");
    cr.periodDays = DaysOfText("99999999999");
    cr.rangeStart = dayOf(At(1800, 1, 1));
    cr.data.dailyActivities = cr.data.vdoSpecific = cr.data.fourHz = cr.dateRangeOn = true;
    EXPECT_EQ(linesOf(cr), (Lines{":103A00023F4352303030303037484558FFFFFFFFD8",
                                  ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4", qxEnd}));
}

TEST(ConfigFile, GroupsTheExtraDataCodes) {
    const struct {
        bool fourHz, vdo, speed168h;
        std::string_view record; // empty: none
    } cases[] = {
        {false, false, false, ""},
        {false, false, true, ":043A20000119FFFF8A"},
        {false, true, false, ":083A2000011213141516FFFF3B"},
        // the 4 Hz group is closed like every other one
        {true, false, false, ":043A20000111FFFF92"},
        {true, false, true, ":073A20000111FF0119FFFF76"},
        {true, true, true, ":0E3A20000111FF011213141516FF0119FFFF0B"},
    };
    for (const auto& c : cases) {
        DeviceSettings s = startSettings();
        s.data.fourHz = c.fourHz;
        s.data.vdoSpecific = c.vdo;
        s.data.detailedSpeed168h = c.speed168h;
        Lines expected = {":103A00003F5158303030303037484558FFFFFFFFC6",
                          ":023A100001FFB4", // no TREP code 11 for this software
                          std::string(c.record), rangeUnticked, qxEnd};
        if (c.record.empty())
            expected.erase(expected.begin() + 2);
        EXPECT_EQ(linesOf(s), expected) << c.fourHz << c.vdo << c.speed168h;
    }
}

// A period or date the device cannot hold gives no file, but the configuration byte.
TEST(ConfigFile, NoFileForValuesTheDeviceCannotHold) {
    const DateTime first = At(1901, 12, 14), last = At(2174, 2, 25);
    const struct {
        const char* days; // as the window's days field holds them
        DateTime start, end;
        ConfigError error;
    } cases[] = {
        {"-1", first, last, ConfigError::None},
        {"24856", first, last, ConfigError::PeriodOutOfRange},
        {"0", first - std::chrono::days(1), last, ConfigError::DateOutOfRange},
        {"0", first, last + std::chrono::days(1), ConfigError::DateOutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        DeviceSettings s = startSettings();
        s.periodDays = DaysOfText(c.days);
        s.rangeStart = dayOf(c.start);
        s.rangeEnd = dayOf(c.end);
        s.cardDate = true;
        const auto result = BuildConfigFile(s);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.ConfigByte, 0x37);
        ASSERT_EQ(result.file.has_value(), c.error == ConfigError::None);
        if (result.file) {
            EXPECT_EQ(result.file->lines[0].substr(33, 8), "80AEFEFF");
            EXPECT_EQ(result.file->lines[2].substr(9, 16), "80002D807FFF7780");
        }
    }
}

} // namespace
} // namespace velmaron
