// The decoder over the cases a device may present: where the code lists end and what the
// configuration byte stands for (each form's lengths: version_file_properties_test.cpp).

#include "config/version_file_decoder.h"
#include "support/version_files.h"

#include <gtest/gtest.h>
#include <set>

namespace velmaron {
namespace {

using testing::qx, testing::versionFile;

// The boxes among Check2 to Check11 the reported settings tick.
std::set<int> ticked(const DeviceSettings& s) {
    std::set<int> boxes;
    for (const DataSet& set : DataSetTable)
        if (s.data.*set.member)
            boxes.insert(set.box);
    if (s.cardDate)
        boxes.insert(7);
    if (s.dateRangeOn)
        boxes.insert(11);
    return boxes;
}

TEST(VersionFileDecoder, CodeWalks) {
    const std::vector<int> extras = {0x01, 0x11, 0xFF, 0x01, 0x12, 0x13, 0x14,
                                     0x15, 0x16, 0xFF, 0x01, 0x19, 0xFF, 0xFF};
    const std::tuple<const char*, std::string, std::set<int>> cases[] = {
        {"TREP list to its pair of 255", qx(54, {{16, {1, 2, 5, 0xFF, 0xFF, 3}}}), {2, 5}},
        {"extras, not into the dates",
         qx(54, {{33, extras}, {72, {'U', 3, 3, 3, 3}}}),
         {8, 9, 10, 11}},
        {"no pair of 255: into the dates and beyond",
         versionFile("QX000054HEX", 82,
                     {{33, std::vector<int>(39, 1)}, {72, {0, 0, 0, 0, 4, 0, 0, 0, 0, 6}}}),
         {4, 6}},
        {"TREP walk ends before 32", qx(54, {{16, std::vector<int>(16, 1)}, {32, {0x19}}}), {}},
        {"short form: 17 to 21", qx(20, {{17, {2, 3, 4, 5, 6}}}), {2, 3, 4, 5, 6}},
        {"mid form: 4 Hz ticks VDO too", qx(30, {{16, {1, 0x11, 0xFF, 0xFF}}}), {8, 10}},
        {"mid form: VDO ticks 4 Hz too", qx(30, {{16, {1, 0x14, 0xFF, 0xFF}}}), {8, 10}},
        {"from 36 on the two are apart", qx(36, {{16, {1, 0x11}}}), {10}},
        {"a walk from 255 ends a byte later", qx(54, {{17, {0xFF, 2, 0xFF, 0xFF}}}), {2}},
    };
    for (const auto& [name, file, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ticked(DecodeVersionFile(file).reported().value()), expected);
    }
    // After a read whose list ended with 255 the same walk ends at once.
    CodeListEnd endedWith255{true};
    const auto carried = DecodeVersionFile(qx(54, {{17, {0xFF, 2, 0xFF, 0xFF}}}), 0, endedWith255);
    EXPECT_EQ(ticked(carried.reported().value()), std::set<int>{});
}

// The short form has no byte, only the full form keeps bit 1: the list line and the settings.
TEST(VersionFileDecoder, ConfigurationByte) {
    const struct {
        int version, configByte;
        const char* listed;
        std::tuple<bool, int, bool, bool> settings;
    } cases[] = {
        {20, 0x05, "FF", {false, 0, false, false}}, {54, 0x8F, "8F", {false, 4, false, false}},
        {54, 0x37, "37", {true, 1, true, false}},   {54, 0x35, "35", {true, 1, true, true}},
        {30, 0x35, "35", {true, 1, true, false}},   {54, 0x05, "5", {true, 4, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.version << ' ' << c.configByte);
        std::string file = qx(c.version);
        if (c.version > 27)
            file[c.version > 35 ? 31 : 24] = static_cast<char>(c.configByte);
        const DeviceSettings s = DecodeVersionFile(file).reported().value();
        EXPECT_EQ(ConfigByteLine(s.configByte), std::string("Config. byte: ") + c.listed);
        EXPECT_EQ(std::tuple(s.velmaronPlus, FileNameFormatOf(s), s.cardDate, s.keepBit1),
                  c.settings);
    }
}

} // namespace
} // namespace velmaron
