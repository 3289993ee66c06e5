#pragma once
// The device exchanges moments as unsigned 32-bit counts of seconds since 1970-01-01
// 00:00:00, written as 8 hex digits. Date-times are plain clock readings: no time zone or
// daylight saving is ever applied, the reading counts unchanged.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

// A clock reading to the second, without any time zone.
using DateTime = std::chrono::sys_seconds;

// Second 0 of the count: 1970-01-01 00:00:00.
inline constexpr DateTime EpochDate = std::chrono::sys_days{std::chrono::year{1970} / 1 / 1};
// Second 2^32, where the unsigned count wraps to 0: 2106-02-07 06:28:16.
inline constexpr DateTime WrapDate = EpochDate + std::chrono::seconds{1LL << 32};
// Second 2^31 - 1, the last moment a signed 32-bit count can hold: 2038-01-19 03:14:07.
inline constexpr DateTime SignedLimitDate = EpochDate + std::chrono::seconds{(1LL << 31) - 1};

// The moment as 8 upper-case hex digits: its seconds since EpochDate modulo 2^32. nullopt
// for a moment before 1901-12-13 20:45:52 or after 2174-02-25 09:42:23, which the device's
// count cannot express even with wrapping; the caller then writes no file.
std::optional<std::string> DateToHex(DateTime value);

// The moment that a hex text names. Hex digits of either case are read up to the first other
// character (none gives EpochDate); 8 digits form a signed 32-bit pattern, and a negative
// count is taken from WrapDate, so the whole range is 1970-01-01 .. 2106-02-07 06:28:15.
// Beyond 8 digits only the last 8 count.
DateTime HexToDate(std::string_view text);

} // namespace velmaron
