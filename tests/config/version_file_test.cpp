#include "config/version_file.h"

#include <gtest/gtest.h>
#include <optional>

namespace velmaron {
namespace {

TEST(VersionFileHeader, AcceptsOnlyHexExtensionAndSixDigitsStartingWith00) {
    const struct {
        std::string_view header;
        std::string_view type;
        int version; // 0: not a valid header
    } cases[] = {
        {"Cr000012Hex", "CR", 12}, {"AB000030HEX", "AB", 30}, {"QX010054HEX", "QX", 0},
        {"QX00005AHEX", "QX", 0},  {"QX000054", "QX", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(IsValidHeader(c.header), c.version != 0);
        EXPECT_EQ(SoftwareVersionOf(c.header), c.version);
        EXPECT_EQ(DeviceTypeOf(c.header), c.type);
    }
}

// Negative periods are truncated towards zero (whole days in the window's own tests).
TEST(VersionFileFields, DownloadPeriodInWholeDays) {
    const std::string head = "QX000054HEX";
    EXPECT_EQ(DownloadPeriodText(head + "\xFE\xFF\xFF\xFF"), " 0");
    EXPECT_EQ(DownloadPeriodText(head + std::string("\0\0\0\x80", 4)), "-24855");
}

TEST(VersionFileCodes, CheckBoxTable) {
    constexpr std::optional<int> none;
    const std::pair<int, std::optional<int>> cases[] = {
        {1, none}, {2, 2},  {6, 6},     {7, none},  {16, none}, {17, 10},
        {18, 8},   {22, 8}, {23, none}, {24, none}, {25, 9},    {26, none},
    };
    for (const auto& [code, box] : cases)
        EXPECT_EQ(CheckBoxForCode(code), box) << code;
}

} // namespace
} // namespace velmaron
