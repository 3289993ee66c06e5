#include "device/version_file.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace velmaron {
namespace {

// A version file of the given length: header, then the bytes from position 12 on.
std::string versionFile(std::string_view header, std::size_t length,
                        const std::vector<int>& fromPos12 = {}) {
    std::string text(header);
    text.resize(11, ' ');
    for (int b : fromPos12)
        text += static_cast<char>(b);
    text.resize(length, '\xFF');
    return text;
}

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
    EXPECT_EQ(ClassOf("QX"), DeviceClass::Standard);
    EXPECT_EQ(ClassOf("CR"), DeviceClass::Cr);
    EXPECT_EQ(ClassOf("qx"), DeviceClass::Unexpected); // the caller upper-cases first
}

TEST(VersionFileForm, FollowsTypeVersionAndLength) {
    using F = VersionForm;
    // walkEnd 0: the length does not fit (or there is no configuration); enabled: Check8,
    // Check9, Check10.
    const struct {
        std::string_view type;
        int version;
        std::size_t length;
        F form;
        std::size_t walkEnd;
        std::string_view enabled;
    } cases[] = {
        {"QX", 8, 21, F::ConfigNotAvailable, 0, "---"},
        {"QX", 9, 21, F::Short, 21, "---"},
        {"QX", 27, 25, F::Short, 0, "---"},
        {"QX", 28, 25, F::Mid, 24, "E-E"},
        {"QX", 35, 80, F::Mid, 0, "---"},
        {"QX", 36, 79, F::Full, 0, "---"},
        {"QX", 54, 200, F::Full, 31, "EEE"},
        {"CR", 0, 80, F::Full, 31, "EEE"},
        {"AB", 30, 25, F::Mid, 24, "E-E"}, // held to the standard rules, previous version
        {"AB", 0, 80, F::ConfigNotAvailable, 0, "---"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.version) + " " +
                     std::to_string(c.length));
        const FormCheck check =
            CheckVersionForm(c.type, c.version, versionFile("QX000000HEX", c.length));
        EXPECT_EQ(check.form, c.form);
        EXPECT_EQ(check.lengthFits, c.walkEnd != 0);
        EXPECT_EQ(check.walkEnd, c.walkEnd);
        const std::string enabled = {check.check8Enabled ? 'E' : '-',
                                     check.check9Enabled ? 'E' : '-',
                                     check.check10Enabled ? 'E' : '-'};
        EXPECT_EQ(enabled, c.enabled);
    }
}

// Negative periods are truncated towards zero (whole days in the window's own tests).
TEST(VersionFileFields, DownloadPeriodInWholeDays) {
    EXPECT_EQ(DownloadPeriodText(versionFile("QX000054HEX", 21, {0xFE, 0xFF, 0xFF, 0xFF})), " 0");
    EXPECT_EQ(DownloadPeriodText(versionFile("QX000054HEX", 21, {0, 0, 0, 0x80})), "-24855");
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
