#include "config/settings_block.h"

#include "config/date_codec.h"
#include "config/download_period.h"
#include "config/hex_record.h"
#include "config/version_file.h"

#include <algorithm>
#include <ranges>
#include <vector>

namespace velmaron {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Range> void put(SettingsBlockBytes& block, std::size_t offset, const Range& bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), block.size() - offset),
                block.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool ticked(const DeviceSettings& s, const DataSet& set) {
    return s.data.*set.member;
}

// ListStart, the ticked TREP codes 02 to 06, 11 for VDO-specific data on older software, then
// ListEnd. TREP 01, the overview, is always downloaded.
Bytes trepList(const DeviceSettings& s) {
    Bytes list{ListStart};
    for (const DataSet& set : DataSetTable)
        if (set.list == CodeList::Trep && ticked(s, set))
            for (int code = set.firstCode; code <= set.lastCode; ++code)
                list.push_back(static_cast<std::uint8_t>(code));
    // Older software takes the VDO-specific data as a TREP code.
    if (s.softwareVersion < SeparateSpeedDataVersion && s.data.vdoSpecific)
        list.push_back(CombinedSpeedDataCode);
    list.push_back(ListEnd);
    return list;
}

// Groups of codes for 4 Hz, VDO-specific and 168 h data in the order of their codes, each
// opened by ListStart and closed by ListEnd, the list closed by one more ListEnd; empty when
// none is ticked. The 4 Hz group is closed like every other one, also when it stands alone or
// only with the 168 h group, so that the device always finds the pair that ends the list.
Bytes extraDataList(const DeviceSettings& s) {
    std::vector<const DataSet*> sets;
    for (const DataSet& set : DataSetTable)
        if (set.list == CodeList::Extra && ticked(s, set))
            sets.push_back(&set);
    std::ranges::sort(sets, {}, [](const DataSet* set) { return set->firstCode; });
    Bytes list;
    for (const DataSet* set : sets) {
        list.push_back(ListStart);
        for (int code = set->firstCode; code <= set->lastCode; ++code)
            list.push_back(static_cast<std::uint8_t>(code));
        list.push_back(ListEnd);
    }
    if (!list.empty())
        list.push_back(ListEnd);
    return list;
}

bool hasFullForm(std::string_view deviceType, int softwareVersion) {
    return CheckVersionForm(deviceType, softwareVersion, {}).form == VersionForm::Full;
}

} // namespace

std::string ConfigName(std::string_view deviceType) {
    return std::string(deviceType) + "000007HEX";
}

int RebuildConfigByte(const DeviceSettings& s) {
    int byte = s.configByte & NoConfigByte;
    if (const auto format = s.fileNameFormat; format && *format >= 0 && *format <= 4)
        byte = ConfigByteForFileName(*format);
    if (s.cardDate)
        byte &= ~ConfigByteBit::CardDate;
    if (s.velmaronPlus)
        byte &= ~ConfigByteBit::Model;
    if (s.keepBit1)
        byte &= ~ConfigByteBit::Bit1; // carried over from the device
    return byte;
}

std::variant<SettingsLayout, ConfigError> LayOutSettings(const DeviceSettings& s) {
    const auto period = DownloadPeriod(s.periodDays);
    if (!period)
        return ConfigError::PeriodOutOfRange;
    SettingsLayout layout;
    SettingsBlockBytes& block = layout.block;
    block.fill(SettingsBlock::Erased);
    block[SettingsBlock::ConfigByte] = static_cast<std::uint8_t>(RebuildConfigByte(s));
    put(block, SettingsBlock::Name, ConfigName(s.deviceType));
    for (std::size_t i = 0; i < 4; ++i)
        block[SettingsBlock::Period + i] = static_cast<std::uint8_t>(*period >> (8 * i));
    const Bytes trep = trepList(s);
    put(block, SettingsBlock::Trep, trep);
    layout.trepLength = trep.size();
    if (!hasFullForm(s.deviceType, s.softwareVersion))
        return layout;
    const Bytes extra = extraDataList(s);
    put(block, SettingsBlock::ExtraData, extra);
    layout.extraDataLength = extra.size();
    const auto start = DateToHex(s.rangeStart);
    const auto end = DateToHex(s.rangeEnd);
    if (!start || !end)
        return ConfigError::DateOutOfRange;
    put(block, SettingsBlock::DateRange, HexToBytes(*start + *end));
    block[SettingsBlock::RangeFlag] = s.dateRangeOn ? RangeFlagOn : SettingsBlock::Erased;
    layout.dateRange = true;
    return layout;
}

std::string VersionFileOf(std::string_view deviceType, int softwareVersion,
                          const SettingsBlockBytes& block) {
    auto bytes = [&](std::size_t offset, std::size_t count) {
        return std::string(block.begin() + static_cast<std::ptrdiff_t>(offset),
                           block.begin() + static_cast<std::ptrdiff_t>(offset + count));
    };
    // The TREP list begins with TREP 01 one position before the window's walk.
    constexpr std::size_t trepPos = VersionPos::TrepWalk - 1;
    std::string text = std::string(deviceType) +
                       std::to_string(1'000'000 + softwareVersion).substr(1) + "HEX" +
                       bytes(SettingsBlock::Period, 4);
    switch (CheckVersionForm(deviceType, softwareVersion, {}).form) {
    case VersionForm::Full:
        return text + bytes(SettingsBlock::Trep, VersionPos::FullConfigByte - trepPos) +
               bytes(SettingsBlock::ConfigByte, 1) +
               bytes(SettingsBlock::ExtraData, VersionPos::RangeFlag - VersionPos::ExtraDataWalk) +
               bytes(SettingsBlock::RangeFlag, 1) + bytes(SettingsBlock::DateRange, 8);
    case VersionForm::Mid:
        return text + bytes(SettingsBlock::Trep, VersionPos::MidConfigByte - trepPos) +
               bytes(SettingsBlock::ConfigByte, 1);
    case VersionForm::Short:
    case VersionForm::ConfigNotAvailable:
        break;
    }
    return text + bytes(SettingsBlock::Trep, ShortFormLength + 1 - trepPos);
}

} // namespace velmaron
