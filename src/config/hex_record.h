#pragma once
// Intel HEX records as the device reads them: ":" LL AAAA TT data CC, upper-case hex digits,
// CC the two's complement of the byte sum.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron {

// The record that ends every file.
inline constexpr std::string_view EndRecord = ":00000001FF";

// The record's checksum over its bytes from LL to the last data byte: the two's complement of
// their sum.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// One record line without line end: head holds address and type as hex text (for example
// "3A1000"); LL and the checksum are worked out from the data.
std::string BuildRecord(std::string_view head, std::span<const std::uint8_t> data);

// Upper-case hex with leading zeros: two digits for a byte, eight for a 32-bit word.
std::string HexByte(std::uint8_t value);
std::string HexWord(std::uint32_t value);

// The value of one hex digit of either case.
std::optional<int> HexDigitValue(char c);

// The bytes that a text of hex digit pairs spells, most significant first; reading stops at
// the first pair that is not hex.
std::vector<std::uint8_t> HexToBytes(std::string_view text);

} // namespace velmaron
