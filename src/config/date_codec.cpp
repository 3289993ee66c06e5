#include "config/date_codec.h"

#include "config/hex_record.h"

#include <cstdint>
#include <limits>

namespace velmaron {

using namespace std::chrono;

std::optional<std::string> DateToHex(DateTime value) {
    // Moments after the signed limit count back from the wrap, so that both halves of the
    // unsigned range fit a signed 32-bit difference.
    const DateTime base = value <= SignedLimitDate ? EpochDate : WrapDate;
    const std::int64_t difference = (value - base).count();
    if (difference < std::numeric_limits<std::int32_t>::min() ||
        difference > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return HexWord(static_cast<std::uint32_t>(difference));
}

DateTime HexToDate(std::string_view text) {
    std::uint32_t pattern = 0;
    for (char c : text) {
        const auto digit = HexDigitValue(c);
        if (!digit)
            break;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(*digit);
    }
    const auto count = static_cast<std::int32_t>(pattern);
    return (count >= 0 ? EpochDate : WrapDate) + seconds{count};
}

} // namespace velmaron
