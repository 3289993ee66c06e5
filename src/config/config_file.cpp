#include "config/config_file.h"

#include "config/data_sets.h"
#include "config/device_names.h"
#include "config/download_period.h"
#include "config/hex_record.h"
#include "config/version_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace velmaron {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Address and record type of a record at an offset into the settings block, as hex text.
std::string head(std::size_t offset, std::uint8_t recordType) {
    const auto address = static_cast<std::uint32_t>(SettingsBlock::Address + offset);
    return HexWord(address << 8 | recordType).substr(2);
}
std::string qxHead(std::size_t offset) {
    return head(offset, SettingsBlock::QxRecordType);
}
std::string crHead(std::size_t offset) {
    return head(offset, SettingsBlock::CrRecordType);
}

// The settings record: configuration byte, the name "QX000007HEX" or "CR000007HEX", and the
// download period least significant byte first.
std::string settingsRecord(std::string_view head, int configByte, const std::string& type,
                           std::uint32_t period) {
    Bytes data{static_cast<std::uint8_t>(configByte)};
    for (char c : ConfigName(type))
        data.push_back(static_cast<std::uint8_t>(c));
    for (int shift = 0; shift < 32; shift += 8)
        data.push_back(static_cast<std::uint8_t>(period >> shift));
    return BuildRecord(head, data);
}

std::optional<std::string> dateRangeRecord(const ConfigSettings& s) {
    const auto start = DateToHex(s.dtPickerStart);
    const auto end = DateToHex(s.dtPickerEnd);
    if (!start || !end)
        return std::nullopt;
    Bytes data = HexToBytes(*start + *end);
    data.push_back(Ticked(s.Check11) ? 0x55 : 0xFF);
    return BuildRecord(qxHead(SettingsBlock::DateRange), data);
}

ConfigBuildResult buildQx(const ConfigSettings& s, int configByte) {
    const auto period = DownloadPeriod(s.tbDays);
    if (!period)
        return {configByte, std::nullopt, ConfigError::PeriodOutOfRange};
    ConfigFile file{ConfigFileName("QX"), {}, "Konfigurationsdatei erstellt"};
    file.lines.push_back(
        settingsRecord(qxHead(SettingsBlock::ConfigByte), configByte, "QX", *period));
    file.lines.push_back(BuildRecord(qxHead(SettingsBlock::Trep), TrepList(s)));
    if (s.SoftwareVersion >= SeparateSpeedDataVersion) {
        if (const Bytes extra = ExtraDataList(s); !extra.empty())
            file.lines.push_back(BuildRecord(qxHead(SettingsBlock::ExtraData), extra));
        if (Ticked(s.Check11) && s.dtPickerEnd < s.dtPickerStart)
            return {configByte, std::nullopt, ConfigError::RangeInverted};
        const auto range = dateRangeRecord(s);
        if (!range)
            return {configByte, std::nullopt, ConfigError::DateOutOfRange};
        file.lines.push_back(*range);
    }
    file.lines.emplace_back(EndRecord);
    return {configByte, std::move(file), ConfigError::None};
}

ConfigBuildResult buildCr(int configByte) {
    ConfigFile file{ConfigFileName("CR"), {}, "Configuration file created"};
    file.lines.push_back(
        settingsRecord(crHead(SettingsBlock::ConfigByte), configByte, "CR", 0xFFFFFFFFu));
    file.lines.push_back(BuildRecord(crHead(SettingsBlock::Trep), Bytes(16, 0xFF)));
    file.lines.emplace_back(EndRecord);
    return {configByte, std::move(file), ConfigError::None};
}

// The extra data sets in the order of their codes.
std::vector<const DataSet*> extraDataByCode() {
    std::vector<const DataSet*> sets;
    for (const DataSet& set : DataSetTable)
        if (set.list == CodeList::Extra)
            sets.push_back(&set);
    std::ranges::sort(sets, {}, [](const DataSet* set) { return set->firstCode; });
    return sets;
}

} // namespace

int RebuildConfigByte(const ConfigSettings& s) {
    int byte = s.ConfigByte & 0xFF;
    if (s.Option1 && *s.Option1 >= 0 && *s.Option1 <= 4)
        byte = ConfigByteForFileName(*s.Option1);
    if (Ticked(s.Check7))
        byte &= ~ConfigByteBit::CardDate;
    if (s.optVelmaron1)
        byte &= ~ConfigByteBit::Model;
    if (s.KeepBit1)
        byte &= ~ConfigByteBit::Bit1; // carried over from the device
    return byte;
}

std::vector<std::uint8_t> TrepList(const ConfigSettings& s) {
    Bytes list{0x01}; // the overview is always downloaded
    for (const DataSet& set : DataSetTable)
        if (set.list == CodeList::Trep && Ticked(s.*set.writerValue))
            for (int code = set.firstCode; code <= set.lastCode; ++code)
                list.push_back(static_cast<std::uint8_t>(code));
    // Older software takes the VDO-specific data as a TREP code.
    if (s.SoftwareVersion < SeparateSpeedDataVersion && Ticked(s.Check8))
        list.push_back(CombinedSpeedDataCode);
    list.push_back(0xFF);
    return list;
}

// The 4 Hz group is closed like every other one, also when it stands alone or only with the
// 168 h group, so that the device always finds the pair of FF that ends the list. The groups
// follow in the order of their codes.
std::vector<std::uint8_t> ExtraDataList(const ConfigSettings& s) {
    Bytes list;
    for (const DataSet* set : extraDataByCode()) {
        if (!Ticked(s.*set->writerValue))
            continue;
        list.push_back(0x01);
        for (int code = set->firstCode; code <= set->lastCode; ++code)
            list.push_back(static_cast<std::uint8_t>(code));
        list.push_back(0xFF);
    }
    if (!list.empty())
        list.push_back(0xFF);
    return list;
}

ConfigBuildResult BuildConfigFile(const ConfigSettings& settings) {
    const int configByte = RebuildConfigByte(settings);
    const std::string type = DeviceTypeOf(settings.VersionText);
    if (type == "QX")
        return buildQx(settings, configByte);
    if (type == "CR")
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
