#include "support/civil_time.h"
#include "config/date_codec.h"
#include "config/hex_record.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

using std::chrono::seconds;
using testing::At;

// Moments within reach come out as the round trip below shows; beyond it there is no text.
TEST(DateCodec, DateToHexRefusesWhatASigned32BitDifferenceCannotReach) {
    const std::pair<DateTime, std::optional<std::string>> cases[] = {
        {At(1901, 12, 13, 20, 45, 52), "80000000"},
        {At(1901, 12, 13, 20, 45, 51), std::nullopt},
        {At(2174, 2, 25, 9, 42, 23), "7FFFFFFF"},
        {At(2174, 2, 25, 9, 42, 24), std::nullopt},
        {At(1, 1, 1), std::nullopt},
        {At(9999, 12, 31, 23, 59, 59), std::nullopt},
    };
    for (const auto& [value, hex] : cases)
        EXPECT_EQ(DateToHex(value), hex) << value.time_since_epoch().count();
}

TEST(DateCodec, HexToDateReadsDigitsUpToTheFirstOtherCharacter) {
    const std::pair<std::string_view, DateTime> cases[] = {
        {"ffffffff", At(2106, 2, 7, 6, 28, 15)},
        {"386D4380 trailing", At(2000, 1, 1)},
        {"1", At(1970, 1, 1, 0, 0, 1)},
        {"", At(1970, 1, 1)},
        {"xyz", At(1970, 1, 1)},
        {" 1", At(1970, 1, 1)},
        {"-1", At(1970, 1, 1)},
        {"1386D4380", At(2000, 1, 1)}, // only the last 8 digits count
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HexToDate(text), value) << text;
}

// Every count the device holds comes back, every moment DateToHex takes gives its count mod 2^32.
TEST(DateCodec, RoundTripOverTheWholeRange) {
    constexpr long long first = -(1LL << 31);
    constexpr long long last = (1LL << 32) + (1LL << 31) - 1;
    std::vector<long long> counts = {first,     first + 1,       -1,        0,
                                     1,         (1LL << 31) - 1, 1LL << 31, (1LL << 32) - 1,
                                     1LL << 32, last - 1,        last};
    for (long long n = first; n <= last; n += 999'983)
        counts.push_back(n);
    for (long long n : counts) {
        const auto hex = DateToHex(EpochDate + seconds{n});
        ASSERT_TRUE(hex) << n;
        const auto pattern = static_cast<std::uint32_t>(n & 0xFFFFFFFF);
        ASSERT_EQ(*hex, HexWord(pattern)) << n;
        ASSERT_EQ(HexToDate(*hex), EpochDate + seconds{pattern}) << n;
    }
}

} // namespace
} // namespace velmaron
