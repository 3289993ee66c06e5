#pragma once
// The configuration file that the device takes over when it is next plugged in.

#include "config/config_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron {

// The device's settings block, 0x3A00 to 0x3A4F, which the file's records fill: offsets from
// its start. The name holds "QX000007HEX" or "CR000007HEX"; period, lists and dates as the
// records carry them.
namespace SettingsBlock {
inline constexpr std::uint16_t Address = 0x3A00;
inline constexpr std::size_t Size = 0x50;
inline constexpr std::size_t ConfigByte = 0x00;
inline constexpr std::size_t Name = 0x01;      // 11 characters
inline constexpr std::size_t Period = 0x0C;    // 4 bytes, least significant first
inline constexpr std::size_t Trep = 0x10;      // up to 16 bytes
inline constexpr std::size_t ExtraData = 0x20; // up to 39 bytes
inline constexpr std::size_t DateRange = 0x47; // start and end, most significant first
inline constexpr std::size_t RangeFlag = 0x4F; // 55 when the range is on
inline constexpr std::uint8_t QxRecordType = 0x00;
inline constexpr std::uint8_t CrRecordType = 0x02; // the CR's data records use type 02
} // namespace SettingsBlock
using SettingsBlockBytes = std::array<std::uint8_t, SettingsBlock::Size>;

// The name in the settings record: the device type, six fixed digits and the extension.
inline std::string ConfigName(std::string_view deviceType) {
    return std::string(deviceType) + "000007HEX";
}

struct ConfigFile {
    std::string fileName;           // "QX999000.HEX" or "CR999000.HEX", inside UPDATES
    std::vector<std::string> lines; // the records, without line ends
    std::string listLine;           // the diagnostic line once the file is written
};

enum class ConfigError {
    None,
    UnknownDeviceType, // the version text names neither "QX" nor "CR"
    PeriodOutOfRange,  // the days, or their seconds, do not fit a signed 32-bit number
    DateOutOfRange,    // a picker date the device's count cannot express
    RangeInverted,     // the date range is on and ends before it starts
};

struct ConfigBuildResult {
    int ConfigByte = 0; // rebuilt from the window; the window keeps it even without a file
    std::optional<ConfigFile> file;
    ConfigError error = ConfigError::None; // why there is no file
};

// The pieces of the file that a device keeps once it has taken the file over.
// The configuration byte from the file-name format, the card date, the model and bit 1; its
// flags are on when their bits are clear.
int RebuildConfigByte(const ConfigSettings& settings);
// 01, the ticked TREP codes 02 to 06, 11 for VDO-specific data on older software, then FF.
std::vector<std::uint8_t> TrepList(const ConfigSettings& settings);
// Groups of codes for 4 Hz, VDO-specific and 168 h data, each opened by 01 and closed by FF,
// the list closed by one more FF; empty when none of them is ticked.
std::vector<std::uint8_t> ExtraDataList(const ConfigSettings& settings);

// Builds the whole file from the window's values; nothing is written here.
ConfigBuildResult BuildConfigFile(const ConfigSettings& settings);

// The file's bytes: every line, the last one included, ended by CR LF.
std::string ConfigFileBytes(const ConfigFile& file);

} // namespace velmaron
