#include "config/download_period.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

TEST(DownloadPeriod, ReadsTheLeadingNumberOfTheDaysText) {
    const struct {
        std::string_view text;
        std::optional<std::int32_t> days;
    } cases[] = {
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"e5", 0},
        {"92", 92},
        {" 92", 92},
        {"9 2", 92}, // blanks are skipped wherever they stand
        {"\t92\t", 92},
        {"+7", 7},
        {"-1", -1},
        {"92abc", 92},
        {"92,5", 92},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-3.5", -4},
        {"0.5", 0},
        {"1.5", 2},
        {"2.51", 3},
        {".5", 0},
        {".51", 1},
        {"7.", 7},
        {"1e2", 100},
        {"1E+2", 100},
        {"15e-1", 2},
        {"1e", 1},
        {"1e+", 1},
        {"1e2.5", 100},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483647.5", std::nullopt}, // rounds to the even 2^31
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999", std::nullopt},
        {"1e400", std::nullopt},
        {"-1e400", std::nullopt},
        {"1e-400", 0},
        {"0e999", 0},
        {"0.000001e-999999999999", 0},
        {"1e999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(LeadingWholeNumber(c.text), c.days);
    }
}

TEST(DownloadPeriod, GivesSecondsOrSinceTheLastDownload) {
    const struct {
        std::string_view text;
        std::optional<std::uint32_t> period;
    } cases[] = {
        {"92", 0x00794A00},      {"0", 0xFFFFFFFF},        {"", 0xFFFFFFFF},
        {"abc", 0xFFFFFFFF},     {"0.4", 0xFFFFFFFF},      {"1", 86400},
        {"24855", 0x7FFFD280},   {"-1", 0xFFFEAE80},       {"-24855", 0x80002D80},
        {"24856", std::nullopt}, {"-24856", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(DownloadPeriod(c.text), c.period);
    }
}

} // namespace
} // namespace velmaron
