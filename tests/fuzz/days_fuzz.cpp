// The days text: reading it never fails, and what the field accepts makes the period it shows.

#include "config/download_period.h"

#include <cstdint>
#include <string>

using namespace velmaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    LeadingWholeNumber(text);
    const auto period = DownloadPeriod(DaysOfText(text));
    if (period && *period != 0xFFFFFFFFu && static_cast<std::int32_t>(*period) % 86400 != 0)
        __builtin_trap();
    if (!IsDaysText(text))
        return 0;
    std::int64_t days = 0;
    for (const char c : text)
        if (c != ' ')
            days = days * 10 + (c - '0');
    const std::uint32_t expected =
        days == 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(days * 86400);
    if (days > MaxPeriodDays || !period || *period != expected)
        __builtin_trap();
    return 0;
}
