#pragma once
// The device's settings block, 0x3A00 to 0x3A4F: what a configuration file's records fill, and
// what the device writes its version file from. One layout serves the writer, which cuts its
// records from it, and the emulator, which keeps it as the device's memory.

#include "config/device_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace velmaron {

// Offsets from the block's start. The name holds "QX000007HEX" or "CR000007HEX"; period, lists
// and dates as the records carry them.
namespace SettingsBlock {
inline constexpr std::uint16_t Address = 0x3A00;
inline constexpr std::size_t Size = 0x50;
inline constexpr std::size_t ConfigByte = 0x00;
inline constexpr std::size_t Name = 0x01;      // 11 characters
inline constexpr std::size_t Period = 0x0C;    // 4 bytes, least significant first
inline constexpr std::size_t Trep = 0x10;      // up to 16 bytes
inline constexpr std::size_t ExtraData = 0x20; // up to 39 bytes
inline constexpr std::size_t DateRange = 0x47; // start and end, most significant first
inline constexpr std::size_t RangeFlag = 0x4F; // RangeFlagOn when the range is on
inline constexpr std::uint8_t Erased = 0xFF;   // what a byte that nothing wrote reads
inline constexpr std::size_t SettingsRecordSize = Period + 4;
inline constexpr std::size_t DateRangeRecordSize = RangeFlag + 1 - DateRange;
inline constexpr std::uint8_t QxRecordType = 0x00;
inline constexpr std::uint8_t CrRecordType = 0x02; // the CR's data records use type 02
} // namespace SettingsBlock
using SettingsBlockBytes = std::array<std::uint8_t, SettingsBlock::Size>;

// The name in the settings record: the device type, six fixed digits and the extension.
std::string ConfigName(std::string_view deviceType);

// Why settings cannot be put into a configuration file.
enum class ConfigError {
    None,
    UnknownDeviceType, // the device type is neither "QX" nor "CR"
    PeriodOutOfRange,  // the days, or their seconds, do not fit a signed 32-bit number
    DateOutOfRange,    // a date the device's count cannot express
    RangeInverted,     // the date range is on and ends before it starts
};

// The block of a device that holds some settings, and which of its fields they fill; 255
// wherever nothing lies.
struct SettingsLayout {
    SettingsBlockBytes block{};
    std::size_t trepLength = 0;      // the TREP list, closed by 255
    std::size_t extraDataLength = 0; // 0: no extra data are on
    bool dateRange = false;          // the date range field is filled (the full form only)
};

// The configuration byte from the file-name format, the card date, the model and bit 1; its
// flags are on when their bits are clear. Without a file-name format the reported byte stays.
int RebuildConfigByte(const DeviceSettings& settings);

// Lays the settings out as the window's writer puts them into a configuration file: the
// configuration byte, the name and the period; the TREP list (01, the ticked codes 02 to 06,
// 11 for VDO-specific data on older software, then FF); and where the device's version file has
// room for them (a CR, or software from 36 on) the extra data's groups and the date range.
// A period or a date that the device's counts cannot hold is refused, in that order.
std::variant<SettingsLayout, ConfigError> LayOutSettings(const DeviceSettings& settings);

// The version file a device of this type and software version writes from its settings block,
// in the form they call for: 21, 25 or 80 bytes.
std::string VersionFileOf(std::string_view deviceType, int softwareVersion,
                          const SettingsBlockBytes& block);

} // namespace velmaron
