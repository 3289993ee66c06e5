#include "config/hex_record.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

TEST(HexRecord, BuildsLengthAndChecksum) {
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        std::string_view head;
        Bytes data;
        std::string_view line;
    } cases[] = {
        {"3A1000", {0x01, 0xFF}, ":023A100001FFB4"},
        {"3A1000", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF}, ":073A1000010203040506FF9B"},
        {"3A1000", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x11, 0xFF}, ":083A100001020304050611FF89"},
        {"3A1002", Bytes(16, 0xFF), ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4"},
        {"3A2000", {0x01, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 0xFF}, ":083A2000011213141516FFFF3B"},
        {"3A4700",
         {0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80, 0x55},
         ":093A47005B3819805D1A9E805560"},
        {"3A4700",
         {0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80, 0xFF},
         ":093A47005B3819805D1A9E80FFB6"},
        // a checksum below 10 keeps its leading zero; a sum of a multiple of 256 gives 00
        {"000000", {0xF5}, ":01000000F50A"},
        {"000000", {0xFF}, ":01000000FF00"},
        {"000000", {}, ":0000000000"},
        {"000001", {}, ":00000001FF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        EXPECT_EQ(BuildRecord(c.head, c.data), c.line);
    }
    EXPECT_EQ(BuildRecord("000001", {}), EndRecord);
}

} // namespace
} // namespace velmaron
