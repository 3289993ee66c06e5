#include "support/civil_time.h"
#include "config/config_file.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

using testing::At;
using Lines = std::vector<std::string>;

const std::string qxEnd = ":00000001FF";
const std::string rangeUnticked = ":093A47005B3819805D1A9E80FFB6";

// The window as it starts: "Europa/VDO(DDD)" and "Velmaron Plus", no period, the range
// 2018-07-01 to 2019-07-02.
ConfigSettings startSettings(std::string versionText = "QX000054", int softwareVersion = 54) {
    ConfigSettings s;
    s.VersionText = std::move(versionText);
    s.SoftwareVersion = softwareVersion;
    s.Option1 = 1;
    s.optVelmaron1 = true;
    s.tbDays = "0";
    s.dtPickerStart = At(2018, 7, 1);
    s.dtPickerEnd = At(2019, 7, 2);
    return s;
}

Lines linesOf(const ConfigSettings& s) {
    const auto result = BuildConfigFile(s);
    EXPECT_TRUE(result.file);
    return result.file ? result.file->lines : Lines{};
}

TEST(ConfigFile, RebuildsTheConfigurationByteForEveryDeviceType) {
    const struct {
        const char* name;
        std::optional<int> option1;
        bool plus;
        int check7;
        bool keepBit1;
        int before, after;
    } cases[] = {
        {"window start", 1, true, 0, false, 0x00, 0x3F},
        {"card date and bit 1 kept", 1, true, 1, true, 0x00, 0x35},
        {"greyed card date is not ticked", 1, true, 2, false, 0x00, 0x3F},
        {"abbreviated name", 0, false, 0, false, 0x00, 0xFF},
        {"French", 2, false, 0, false, 0x00, 0xAF},
        {"Spanish", 3, false, 0, false, 0x00, 0x9F},
        {"Brennick", 4, false, 0, false, 0x00, 0x8F},
        {"no format keeps the byte", std::nullopt, false, 0, false, 0x8F, 0x8F},
        {"no format, flags still cleared", std::nullopt, true, 1, true, 0xFF, 0x75},
        {"unknown index counts as none", 7, false, 0, false, 0x9F, 0x9F},
    };
    for (const char* versionText : {"QX000054", "CR000054", "??"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(versionText) + ": " + c.name);
            ConfigSettings s = startSettings(versionText);
            s.Option1 = c.option1;
            s.optVelmaron1 = c.plus;
            s.Check7 = c.check7;
            s.KeepBit1 = c.keepBit1;
            s.ConfigByte = c.before;
            EXPECT_EQ(BuildConfigFile(s).ConfigByte, c.after);
        }
    }
}

TEST(ConfigFile, TakesTheDeviceTypeFromTheFirstTwoCharacters) {
    // The version text, and the file name and list line; empty: no file.
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
    ConfigSettings five = startSettings();
    five.tbDays = " 92";
    five.Check2 = five.Check3 = five.Check4 = five.Check5 = five.Check6 = 1;
    five.Check8 = five.Check11 = 1;
    EXPECT_EQ(linesOf(five),
              (Lines{":103A00003F5158303030303037484558004A7900FF", ":073A1000010203040506FF9B",
                     ":083A2000011213141516FFFF3B", ":093A47005B3819805D1A9E805560", qxEnd}));

    // Software 35 sends VDO data as a TREP code and reads no dates.
    ConfigSettings three = startSettings("QX000035", 35);
    three.Check8 = three.Check9 = three.Check10 = three.Check11 = 1;
    three.dtPickerStart = At(1800, 1, 1);
    EXPECT_EQ(linesOf(three),
              (Lines{":103A00003F5158303030303037484558FFFFFFFFC6", ":033A10000111FFA2", qxEnd}));

    ConfigSettings four = startSettings("QX000036", 36);
    four.Check8 = four.Check9 = four.Check10 = 2; // greyed
    EXPECT_EQ(linesOf(four), (Lines{":103A00003F5158303030303037484558FFFFFFFFC6",
                                    ":023A100001FFB4", rangeUnticked, qxEnd}));

    // The CR reads neither the period nor the dates nor these boxes.
    ConfigSettings cr = startSettings("cr000054");
    cr.tbDays = "99999999999";
    cr.dtPickerStart = At(1800, 1, 1);
    cr.Check2 = cr.Check8 = cr.Check10 = cr.Check11 = 1;
    EXPECT_EQ(linesOf(cr), (Lines{":103A00023F4352303030303037484558FFFFFFFFD8",
                                  ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4", qxEnd}));
}

TEST(ConfigFile, GroupsTheExtraDataCodes) {
    const struct {
        int check10, check8, check9;
        std::string_view record; // empty: none
    } cases[] = {
        {0, 0, 0, ""},
        {0, 0, 1, ":043A20000119FFFF8A"},
        {0, 1, 0, ":083A2000011213141516FFFF3B"},
        // the 4 Hz group is closed like every other one
        {1, 0, 0, ":043A20000111FFFF92"},
        {1, 0, 1, ":073A20000111FF0119FFFF76"},
        {1, 1, 1, ":0E3A20000111FF011213141516FF0119FFFF0B"},
    };
    for (const auto& c : cases) {
        ConfigSettings s = startSettings();
        s.Check10 = c.check10;
        s.Check8 = c.check8;
        s.Check9 = c.check9;
        Lines expected = {":103A00003F5158303030303037484558FFFFFFFFC6",
                          ":023A100001FFB4", // no TREP code 11 for this software
                          std::string(c.record), rangeUnticked, qxEnd};
        if (c.record.empty())
            expected.erase(expected.begin() + 2);
        EXPECT_EQ(linesOf(s), expected) << c.check10 << c.check8 << c.check9;
    }
}

// The period goes least significant byte first; a period or date the device cannot hold gives
// no file, but the configuration byte all the same.
TEST(ConfigFile, NoFileForValuesTheDeviceCannotHold) {
    const DateTime first = At(1901, 12, 13, 20, 45, 52), last = At(2174, 2, 25, 9, 42, 23);
    const struct {
        const char* days;
        DateTime start, end;
        ConfigError error;
    } cases[] = {
        {"-1", first, last, ConfigError::None},
        {"24856", first, last, ConfigError::PeriodOutOfRange},
        {"4294967296", first, last, ConfigError::PeriodOutOfRange},
        {"0", first - std::chrono::seconds(1), last, ConfigError::DateOutOfRange},
        {"0", first, last + std::chrono::seconds(1), ConfigError::DateOutOfRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        ConfigSettings s = startSettings();
        s.tbDays = c.days;
        s.dtPickerStart = c.start;
        s.dtPickerEnd = c.end;
        s.Check7 = 1;
        const auto result = BuildConfigFile(s);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.ConfigByte, 0x37);
        ASSERT_EQ(result.file.has_value(), c.error == ConfigError::None);
        if (result.file) {
            EXPECT_EQ(result.file->lines[0].substr(33, 8), "80AEFEFF");
            EXPECT_EQ(result.file->lines[2].substr(9, 16), "800000007FFFFFFF");
        }
    }
}

TEST(ConfigFile, EveryLineEndsWithCarriageReturnAndLineFeed) {
    const ConfigFile file{"CR999000.HEX", {":A", ":B", ":00000001FF"}, ""};
    EXPECT_EQ(ConfigFileBytes(file), ":A\r\n:B\r\n:00000001FF\r\n");
    EXPECT_EQ(ConfigFileBytes(ConfigFile{}), "");
}

} // namespace
} // namespace velmaron
