#include "config/download_period.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

// Blanks are skipped wherever they stand, and halves go to the even neighbour.
TEST(DownloadPeriod, ReadsTheLeadingNumberOfTheDaysText) {
    const std::pair<std::string_view, std::int32_t> cases[] = {
        {"", 0},    {"abc", 0},     {".", 0},      {"9 2", 92},  {"\t92\t", 92}, {"+7", 7},
        {"-1", -1}, {"92abc", 92},  {"92,5", 92},  {"2.5", 2},   {"3.5", 4},     {"-2.5", -2},
        {"0.5", 0}, {"2.51", 3},    {".51", 1},    {"7.", 7},    {"1E+2", 100},  {"15e-1", 2},
        {"1e+", 1}, {"1e2.5", 100}, {"1e-400", 0}, {"0e999", 0},
    };
    for (const auto& [text, days] : cases)
        EXPECT_EQ(LeadingWholeNumber(text), days) << text;
    EXPECT_EQ(LeadingWholeNumber("0.000001e-999999999999"), 0);
    EXPECT_EQ(LeadingWholeNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(LeadingWholeNumber("-2147483648"), INT32_MIN);
    // Beyond 32 bits there is no number.
    for (std::string_view text : {"2147483647.5", "2147483648", "-2147483649", "1e400", "-1e400",
                                  "1e999999999999999999999"})
        EXPECT_EQ(LeadingWholeNumber(text), std::nullopt) << text;
}

TEST(DownloadPeriod, GivesSecondsOrSinceTheLastDownload) {
    const std::pair<std::string_view, std::optional<std::uint32_t>> cases[] = {
        {"92", 0x00794A00},  {"0", 0xFFFFFFFF},      {"", 0xFFFFFFFF},   {"0.4", 0xFFFFFFFF},
        {"99999999999", {}}, {"2.5", 2 * 86400},     {"3.5", 4 * 86400}, {"24855", 0x7FFFD280},
        {"-1", 0xFFFEAE80},  {"-24855", 0x80002D80}, {"24856", {}},      {"-24856", {}},
    };
    for (const auto& [text, period] : cases)
        EXPECT_EQ(DownloadPeriod(DaysOfText(text)), period) << text;
}

} // namespace
} // namespace velmaron
