#include "config/civil_time.h"
#include "config/config_file.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

using testing::At;
using Lines = std::vector<std::string>;

const std::string qxEnd = ":00000001FF";
const std::string rangeTicked = ":093A47005B3819805D1A9E805560";
const std::string rangeUnticked = ":093A47005B3819805D1A9E80FFB6";

// The window as it starts: "Europa/VDO(DDD)" and "Velmaron Plus", no period, the range
// 2018-07-01 to 2019-07-02.
ConfigSettings startSettings(std::string versionText, int softwareVersion) {
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

TEST(ConfigFile, RebuildsTheConfigurationByteForEveryDeviceType) {
    struct Case {
        const char* name;
        std::optional<int> option1;
        bool plus;
        int check7;
        bool keepBit1;
        int before;
        int after;
    };
    const Case cases[] = {
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
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(versionText) + ": " + c.name);
            ConfigSettings s = startSettings(versionText, 54);
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
    const struct {
        std::string_view versionText;
        std::optional<std::string_view> fileName;
        std::string_view listLine;
    } cases[] = {
        {"QX000054", "QX999000.HEX", "Konfigurationsdatei erstellt"},
        {"qx000054", "QX999000.HEX", "Konfigurationsdatei erstellt"},
        {"CR000054", "CR999000.HEX", "Configuration file created"},
        {"cR", "CR999000.HEX", "Configuration file created"},
        {"", std::nullopt, ""},
        {"Q", std::nullopt, ""},
        {"XY000054", std::nullopt, ""},
        {" QX000054", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.versionText));
        const auto result = BuildConfigFile(startSettings(std::string(c.versionText), 54));
        ASSERT_EQ(result.file.has_value(), c.fileName.has_value());
        if (!result.file) {
            EXPECT_EQ(result.error, ConfigError::UnknownDeviceType);
            continue;
        }
        EXPECT_EQ(result.error, ConfigError::None);
        EXPECT_EQ(result.file->fileName, *c.fileName);
        EXPECT_EQ(result.file->listLine, c.listLine);
    }
}

TEST(ConfigFile, BuildsTheWholeFile) {
    struct Case {
        const char* name;
        ConfigSettings settings;
        Lines lines;
    };
    std::vector<Case> cases;
    {
        ConfigSettings s = startSettings("QX000054", 54);
        s.tbDays = " 92";
        s.Check2 = s.Check3 = s.Check4 = s.Check5 = s.Check6 = 1;
        s.Check8 = s.Check11 = 1;
        cases.push_back(
            {"five lines",
             s,
             {":103A00003F5158303030303037484558004A7900FF", ":073A1000010203040506FF9B",
              ":083A2000011213141516FFFF3B", rangeTicked, qxEnd}});
    }
    {
        ConfigSettings s = startSettings("QX000035", 35);
        s.Check8 = s.Check9 = s.Check10 = s.Check11 = 1;
        s.dtPickerStart = At(1800, 1, 1); // not read for this software
        cases.push_back(
            {"three lines, VDO data as TREP code",
             s,
             {":103A00003F5158303030303037484558FFFFFFFFC6", ":033A10000111FFA2", qxEnd}});
    }
    {
        ConfigSettings s = startSettings("QX000036", 36);
        s.Check8 = s.Check9 = s.Check10 = 2; // greyed
        cases.push_back({"four lines",
                         s,
                         {":103A00003F5158303030303037484558FFFFFFFFC6", ":023A100001FFB4",
                          rangeUnticked, qxEnd}});
    }
    {
        ConfigSettings s = startSettings("cr000054", 54);
        s.tbDays = "99999999999";                        // not read for this device
        s.dtPickerStart = At(1800, 1, 1);                // nor this
        s.Check2 = s.Check8 = s.Check10 = s.Check11 = 1; // nor these
        cases.push_back({"CR",
                         s,
                         {":103A00023F4352303030303037484558FFFFFFFFD8",
                          ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4", qxEnd}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = BuildConfigFile(c.settings);
        ASSERT_TRUE(result.file);
        EXPECT_EQ(result.file->lines, c.lines);
    }
}

TEST(ConfigFile, GroupsTheExtraDataCodes) {
    const struct {
        int check10, check8, check9;
        std::optional<std::string_view> record;
    } cases[] = {
        {0, 0, 0, std::nullopt},
        {0, 0, 1, ":043A20000119FFFF8A"},
        {0, 1, 0, ":083A2000011213141516FFFF3B"},
        {0, 1, 1, ":0B3A2000011213141516FF0119FFFF1F"},
        // the 4 Hz group is closed like every other one
        {1, 0, 0, ":043A20000111FFFF92"},
        {1, 0, 1, ":073A20000111FF0119FFFF76"},
        {1, 1, 0, ":0B3A20000111FF011213141516FFFF27"},
        {1, 1, 1, ":0E3A20000111FF011213141516FF0119FFFF0B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.check10) + std::to_string(c.check8) +
                     std::to_string(c.check9));
        ConfigSettings s = startSettings("QX000054", 54);
        s.Check10 = c.check10;
        s.Check8 = c.check8;
        s.Check9 = c.check9;
        const auto result = BuildConfigFile(s);
        ASSERT_TRUE(result.file);
        const Lines& lines = result.file->lines;
        EXPECT_EQ(lines.at(1), ":023A100001FFB4") << "no TREP code 11 for this software";
        ASSERT_EQ(lines.size(), c.record ? 5u : 4u);
        if (c.record) {
            EXPECT_EQ(lines[2], *c.record);
        }
        EXPECT_EQ(lines[lines.size() - 2], rangeUnticked);
    }
}

TEST(ConfigFile, WritesThePeriodLeastSignificantByteFirst) {
    const struct {
        std::string_view days;
        std::optional<std::string_view> periodHex; // nullopt: no file
    } cases[] = {
        {"92", "004A7900"},
        {"0", "FFFFFFFF"},
        {"", "FFFFFFFF"},
        {"abc", "FFFFFFFF"},
        {"24855", "80D2FF7F"},
        {"-1", "80AEFEFF"},
        {"2.5", "00A30200"},
        {"3.5", "00460500"},
        {"24856", std::nullopt},
        {"-24856", std::nullopt},
        {"4294967296", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.days));
        ConfigSettings s = startSettings("QX000054", 54);
        s.tbDays = std::string(c.days);
        s.Check7 = 1;
        const auto result = BuildConfigFile(s);
        EXPECT_EQ(result.ConfigByte, 0x37) << "kept even without a file";
        if (!c.periodHex) {
            EXPECT_FALSE(result.file);
            EXPECT_EQ(result.error, ConfigError::PeriodOutOfRange);
            continue;
        }
        ASSERT_TRUE(result.file);
        EXPECT_EQ(result.file->lines[0].substr(33, 8), *c.periodHex);
    }
}

TEST(ConfigFile, ADateTheDeviceCannotHoldGivesNoFile) {
    const struct {
        DateTime start, end;
        bool ok;
    } cases[] = {
        {At(1901, 12, 13, 20, 45, 52), At(2174, 2, 25, 9, 42, 23), true},
        {At(1901, 12, 13, 20, 45, 51), At(2019, 7, 2), false},
        {At(2018, 7, 1), At(2174, 2, 25, 9, 42, 24), false},
    };
    for (const auto& c : cases) {
        ConfigSettings s = startSettings("QX000054", 54);
        s.dtPickerStart = c.start;
        s.dtPickerEnd = c.end;
        const auto result = BuildConfigFile(s);
        EXPECT_EQ(result.file.has_value(), c.ok);
        EXPECT_EQ(result.error, c.ok ? ConfigError::None : ConfigError::DateOutOfRange);
        EXPECT_EQ(result.ConfigByte, 0x3F);
    }
}

TEST(ConfigFile, EveryLineEndsWithCarriageReturnAndLineFeed) {
    const ConfigFile file{"CR999000.HEX", {":A", ":B", ":00000001FF"}, ""};
    EXPECT_EQ(ConfigFileBytes(file), ":A\r\n:B\r\n:00000001FF\r\n");
    EXPECT_EQ(ConfigFileBytes(ConfigFile{}), "");
}

} // namespace
} // namespace velmaron
