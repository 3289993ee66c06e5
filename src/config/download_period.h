#pragma once
// The download period as the device stores it, from the days text of the window.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmaron {

// The number a text starts with: blanks are skipped, then the longest leading part made of a
// sign, digits, a decimal point and an exponent is read; no number gives 0. Rounded to the
// nearest whole number, halves to the even one; nullopt beyond the signed 32-bit range.
std::optional<std::int32_t> LeadingWholeNumber(std::string_view text);

inline constexpr std::int32_t SecondsPerDay = 86400;
// The period's pattern for "everything since the last download".
inline constexpr std::uint32_t SinceLastDownload = 0xFFFFFFFF;
// The most days whose seconds a signed 32-bit period holds.
inline constexpr std::int32_t MaxPeriodDays = 24855;

// Whether the days field may hold the text: digits after any blanks (the window shows a number
// with a leading blank), at most MaxPeriodDays; empty and 0 mean "since the last download".
bool IsDaysText(std::string_view text);

// The days that the window's days text stands for: its leading whole number; beyond 32 bits
// more days than any period holds.
int DaysOfText(std::string_view daysText);

// The period in seconds as a 32-bit pattern: SinceLastDownload for 0 days, else days * 86400
// (two's complement when negative). nullopt when the seconds do not fit a signed 32-bit
// number.
std::optional<std::uint32_t> DownloadPeriod(int days);

} // namespace velmaron
