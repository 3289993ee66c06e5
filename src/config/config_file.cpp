#include "config/config_file.h"

#include "config/device_names.h"
#include "config/hex_record.h"

#include <cstdint>
#include <span>

namespace velmaron {
namespace {

// A record of the block's bytes from offset on, of the given record type.
std::string record(const SettingsBlockBytes& block, std::size_t offset, std::size_t size,
                   std::uint8_t recordType) {
    const auto address = static_cast<std::uint32_t>(SettingsBlock::Address + offset);
    return BuildRecord(HexWord(address << 8 | recordType).substr(2),
                       std::span(block).subspan(offset, size));
}

ConfigBuildResult buildQx(const DeviceSettings& s, int configByte) {
    const auto laid = LayOutSettings(s);
    const auto* error = std::get_if<ConfigError>(&laid);
    if (error && *error == ConfigError::PeriodOutOfRange)
        return {configByte, std::nullopt, *error};
    const auto* layout = std::get_if<SettingsLayout>(&laid);
    // Only the full form reads a date range at all.
    if ((!layout || layout->dateRange) && s.dateRangeOn && s.rangeEnd < s.rangeStart)
        return {configByte, std::nullopt, ConfigError::RangeInverted};
    if (error)
        return {configByte, std::nullopt, *error};

    constexpr std::uint8_t type = SettingsBlock::QxRecordType;
    const SettingsBlockBytes& block = layout->block;
    ConfigFile file{ConfigFileName("QX"), {}, "Konfigurationsdatei erstellt"};
    file.lines.push_back(
        record(block, SettingsBlock::ConfigByte, SettingsBlock::SettingsRecordSize, type));
    file.lines.push_back(record(block, SettingsBlock::Trep, layout->trepLength, type));
    if (layout->extraDataLength > 0)
        file.lines.push_back(
            record(block, SettingsBlock::ExtraData, layout->extraDataLength, type));
    if (layout->dateRange)
        file.lines.push_back(
            record(block, SettingsBlock::DateRange, SettingsBlock::DateRangeRecordSize, type));
    file.lines.emplace_back(EndRecord);
    return {configByte, std::move(file), ConfigError::None};
}

// The CR takes the configuration byte only: its period says "since the last download" and its
// TREP record is erased.
ConfigBuildResult buildCr(int configByte) {
    constexpr std::uint8_t type = SettingsBlock::CrRecordType;
    SettingsBlockBytes block;
    block.fill(SettingsBlock::Erased);
    block[SettingsBlock::ConfigByte] = static_cast<std::uint8_t>(configByte);
    const std::string name = ConfigName("CR");
    std::copy(name.begin(), name.end(), block.begin() + SettingsBlock::Name);
    ConfigFile file{ConfigFileName("CR"), {}, "Configuration file created"};
    file.lines.push_back(
        record(block, SettingsBlock::ConfigByte, SettingsBlock::SettingsRecordSize, type));
    file.lines.push_back(
        record(block, SettingsBlock::Trep, SettingsBlock::ExtraData - SettingsBlock::Trep, type));
    file.lines.emplace_back(EndRecord);
    return {configByte, std::move(file), ConfigError::None};
}

} // namespace

ConfigBuildResult BuildConfigFile(const DeviceSettings& settings) {
    const int configByte = RebuildConfigByte(settings);
    if (settings.deviceType == "QX")
        return buildQx(settings, configByte);
    if (settings.deviceType == "CR")
        return buildCr(configByte);
    return {configByte, std::nullopt, ConfigError::UnknownDeviceType};
}

std::string ConfigFileBytes(const ConfigFile& file) {
    std::string bytes;
    for (const std::string& line : file.lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace velmaron
