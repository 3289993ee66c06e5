#include "config/temp_drive.h"
#include "device/version_file.h"

#include <gtest/gtest.h>
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

// Runs a code walk like the window does; returns the position where it ended, or 0.
std::size_t walkEnd(CodeListEnd& end, std::string_view text, std::size_t first, std::size_t last,
                    std::vector<int>* ticked = nullptr) {
    for (std::size_t pos = first; pos <= last; ++pos) {
        const int byteValue = ByteAt(text, pos);
        if (auto box = CheckBoxForCode(byteValue); box && ticked)
            ticked->push_back(*box);
        if (end.Step(byteValue))
            return pos;
    }
    return 0;
}

TEST(VersionFileHeader, AcceptsOnlyHexExtensionAndSixDigitsStartingWith00) {
    const struct {
        std::string_view header;
        std::string_view type;
        int version; // 0: not a valid header
    } cases[] = {
        {"QX000054HEX", "QX", 54}, {"qx000054hex", "QX", 54}, {"Cr000012Hex", "CR", 12},
        {"AB000030HEX", "AB", 30}, {"QX010054HEX", "QX", 0},  {"QX00 054HEX", "QX", 0},
        {"QX0000.5HEX", "QX", 0},  {"QX00005AHEX", "QX", 0},  {"QX000054HEY", "QX", 0},
        {"QX000054", "QX", 0},
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
        {"QX", 9, 20, F::Short, 0, "---"},
        {"QX", 9, 21, F::Short, 21, "---"},
        {"QX", 9, 22, F::Short, 0, "---"},
        {"QX", 27, 21, F::Short, 21, "---"},
        {"QX", 27, 25, F::Short, 0, "---"},
        {"QX", 28, 24, F::Mid, 0, "---"},
        {"QX", 28, 25, F::Mid, 24, "E-E"},
        {"QX", 35, 26, F::Mid, 0, "---"},
        {"QX", 35, 80, F::Mid, 0, "---"},
        {"QX", 36, 79, F::Full, 0, "---"},
        {"QX", 36, 80, F::Full, 31, "EEE"},
        {"QX", 54, 200, F::Full, 31, "EEE"},
        {"CR", 12, 79, F::Full, 0, "---"},
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

TEST(VersionFileForm, TakesConfigByteAndKeepBit1FromTheForm) {
    const struct {
        std::size_t length, pos;
        char value;
        int version, configByte;
        bool keepBit1;
    } cases[] = {
        {25, 25, '\x35', 30, 0x35, false}, // only the full form carries bit 1 over
        {80, 32, '\x35', 54, 0x35, true},
        {80, 32, '\x37', 54, 0x37, false},
        {21, 21, '\x35', 20, 0xFF, false}, // the short form has none
    };
    for (const auto& c : cases) {
        std::string text = versionFile("QX000000HEX", c.length);
        text[c.pos - 1] = c.value;
        const FormCheck check = CheckVersionForm("QX", c.version, text);
        EXPECT_EQ(check.configByte, c.configByte);
        EXPECT_EQ(check.keepBit1, c.keepBit1);
    }
}

TEST(VersionFileFields, DownloadPeriodInWholeDays) {
    const struct {
        std::vector<int> bytes;
        std::string_view text;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, "0"},      {{0x00, 0x4A, 0x79, 0x00}, " 92"},
        {{0x00, 0x00, 0x00, 0x00}, " 0"},     {{0xFE, 0xFF, 0xFF, 0xFF}, " 0"}, // -2 s
        {{0x80, 0x0B, 0xFC, 0xFF}, "-3"},     {{0xFF, 0xFF, 0xFF, 0x7F}, " 24855"},
        {{0x00, 0x00, 0x00, 0x80}, "-24855"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DownloadPeriodText(versionFile("QX000054HEX", 21, c.bytes)), c.text);
}

TEST(VersionFileFields, ConfigByteFields) {
    const struct {
        int configByte;
        int velmaron, fileName;
        bool cardDate;
        std::string_view hex;
    } cases[] = {
        {0xFF, 0, 0, false, "FF"}, {0x8F, 0, 4, false, "8F"}, {0x37, 1, 1, true, "37"},
        {0xAF, 0, 2, false, "AF"}, {0x9F, 0, 3, false, "9F"}, {0xCF, 0, 0, false, "CF"},
        {0x05, 1, 4, true, "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(VelmaronOptionIndex(c.configByte), c.velmaron);
        EXPECT_EQ(FileNameOptionIndex(c.configByte), c.fileName);
        EXPECT_EQ(CardDateTicked(c.configByte), c.cardDate);
        EXPECT_EQ(ConfigByteHex(c.configByte), c.hex);
    }
}

TEST(VersionFileFields, DateRangeNeedsFullFormAndCapitalU) {
    std::string full = versionFile("QX000054HEX", 80);
    full[71] = 'U';
    full.replace(72, 8, "\x5F\x5E\x10\x00\xFF\xFF\xFF\xFE", 8);
    EXPECT_TRUE(HasDateRange(full));
    EXPECT_EQ(MomentHexAt(full, VersionPos::RangeStart), "5F5E1000");
    EXPECT_EQ(MomentHexAt(full, VersionPos::RangeEnd), "FFFFFFFE");
    EXPECT_FALSE(HasDateRange(full.substr(0, 79)));
    full[71] = 'u';
    EXPECT_FALSE(HasDateRange(full));
    EXPECT_FALSE(HasExtraData(full.substr(0, 33)));
    EXPECT_TRUE(HasExtraData(full.substr(0, 34)));
}

TEST(VersionFileCodes, CheckBoxTable) {
    const std::pair<int, std::optional<int>> cases[] = {
        {1, std::nullopt},
        {2, 2},
        {6, 6},
        {7, std::nullopt},
        {16, std::nullopt},
        {17, 10},
        {18, 8},
        {22, 8},
        {23, std::nullopt},
        {25, 9},
        {255, std::nullopt},
    };
    for (const auto& [code, box] : cases)
        EXPECT_EQ(CheckBoxForCode(code), box) << code;
}

TEST(VersionFileCodes, WalksEndAtTheSecondFFInARow) {
    // TREP list 01 02 05 FF FF from position 16: ticks 2 and 5, ends at position 20.
    CodeListEnd end;
    std::vector<int> ticked;
    const std::string trep = versionFile("QX000054HEX", 80, {0, 0, 0, 0, 1, 2, 5, 0xFF, 0xFF});
    EXPECT_EQ(walkEnd(end, trep, VersionPos::TrepWalk, 31, &ticked), 20u);
    EXPECT_EQ(ticked, (std::vector<int>{2, 5}));

    // Extra data from position 33, with the previous walk's last byte FF still remembered:
    // the leading 01 clears it, and the list ends at its own closing pair.
    std::string extra = trep;
    const std::vector<int> codes = {1,    0x11, 0xFF, 1, 0x12, 0x13, 0x14,
                                    0x15, 0x16, 0xFF, 1, 0x19, 0xFF, 0xFF};
    for (std::size_t i = 0; i < codes.size(); ++i)
        extra[32 + i] = static_cast<char>(codes[i]);
    ticked.clear();
    EXPECT_EQ(walkEnd(end, extra, VersionPos::ExtraDataWalk, extra.size(), &ticked), 46u);
    EXPECT_EQ(ticked, (std::vector<int>{10, 8, 8, 8, 8, 8, 9}));

    // A walk that starts with FF ends at once after an FF, one byte later otherwise.
    const std::string allFF = versionFile("QX000054HEX", 21);
    end.PreviousWasFF = true;
    EXPECT_EQ(walkEnd(end, allFF, 17, 21), 17u);
    end.Step(2);
    EXPECT_EQ(walkEnd(end, allFF, 17, 21), 18u);
    // A walk without a closing pair runs to its end.
    EXPECT_EQ(walkEnd(end, versionFile("QX000054HEX", 21, {0, 0, 0, 0, 1, 2, 3, 4, 5, 6}), 17, 21),
              0u);
}

TEST(VersionFileText, NoVersionLineForAnUnexpectedType) {
    EXPECT_EQ(SoftwareVersionLine(DeviceClass::Cr, 12), "VelmaronCR Softwareversion: 12");
    EXPECT_EQ(SoftwareVersionLine(DeviceClass::Unexpected, 12), "");
    EXPECT_EQ(ConfigByteLine(0x8F), "Config. byte: 8F");
    EXPECT_EQ(SoftwareVersionCaption("QX", 54), "SW Version - QX 54");
    EXPECT_EQ(SoftwareVersionCaption("AB", 30), "AB - Unerwartete Softwareversion");
}

// Finding and reading go through the device's safe file access, whose own tests cover links
// and steps out of the drive; here the version file's own name and its states.
TEST(VersionFileRead, ReadsTheWholeFileInAnyCaseAndOnlyAFile) {
    testing::TempDrive drive;
    EXPECT_FALSE(ReadVersionFile(drive.root()));
    EXPECT_FALSE(FindVersionFile(drive.root()));
    drive.mkdir("UPDATES/digivers.ion"); // a directory
    EXPECT_FALSE(ReadVersionFile(drive.root()));

    std::filesystem::remove_all(drive.path() / "UPDATES");
    const std::string content = versionFile("qx000054hex", 80, {0, 0x4A, 0x79, 0});
    drive.write("updates/DIGIVERS.ION", content);
    EXPECT_EQ(ReadVersionFile(drive.root()), content);
    const auto found = FindVersionFile(drive.root());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "DIGIVERS.ION");

    // A short file is broken and gets deleted; only a missing one is left alone.
    drive.write("updates/DIGIVERS.ION", "");
    EXPECT_EQ(ReadVersionFile(drive.root()), "");
}

TEST(VersionFileRead, ALinkCountsAsMissing) {
    testing::TempDrive drive;
    const auto outside = drive.write("outside.ion", versionFile("QX000054HEX", 80));
    drive.mkdir("UPDATES");
    if (!testing::makeSymlink(outside, drive.path() / "UPDATES" / "digivers.ion"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_FALSE(ReadVersionFile(drive.root()));
    EXPECT_FALSE(FindVersionFile(drive.root()));
}

} // namespace
} // namespace velmaron
