#include "config/hex_record.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

// The records of whole configuration files are checked with the files; here the edges.
TEST(HexRecord, BuildsLengthAndChecksum) {
    using Bytes = std::vector<std::uint8_t>;
    const struct {
        std::string_view head;
        Bytes data;
        std::string_view line;
    } cases[] = {
        {"3A1000", {0x01, 0xFF}, ":023A100001FFB4"},
        {"3A1002", Bytes(16, 0xFF), ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4"},
        {"000000", {0xF5}, ":01000000F50A"}, // a checksum below 10 keeps its leading zero
        {"000000", {0xFF}, ":01000000FF00"}, // a sum of a multiple of 256 gives 00
        {"000000", {}, ":0000000000"},
        {"000001", {}, ":00000001FF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildRecord(c.head, c.data), c.line);
}

} // namespace
} // namespace velmaron
