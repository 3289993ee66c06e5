#include "config/hex_record.h"

namespace velmaron {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

} // namespace

std::string HexByte(std::uint8_t value) {
    return {HexDigits[value >> 4], HexDigits[value & 0x0F]};
}

std::string HexWord(std::uint32_t value) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += HexByte(static_cast<std::uint8_t>(value >> shift));
    return text;
}

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

std::vector<std::uint8_t> HexToBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const auto high = HexDigitValue(text[i]);
        const auto low = HexDigitValue(text[i + 1]);
        if (!high || !low)
            break;
        bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
    }
    return bytes;
}

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t byte : bytes)
        sum += byte;
    return static_cast<std::uint8_t>(-sum);
}

std::string BuildRecord(std::string_view head, std::span<const std::uint8_t> data) {
    const auto length = static_cast<std::uint8_t>(data.size());
    std::string line = ":" + HexByte(length) + std::string(head);
    std::vector<std::uint8_t> summed = HexToBytes(head);
    summed.insert(summed.begin(), length);
    for (std::uint8_t byte : data) {
        line += HexByte(byte);
        summed.push_back(byte);
    }
    return line + HexByte(Checksum(summed));
}

} // namespace velmaron
