#include "config/device_settings.h"

#include "config/config_file_reader.h"
#include "config/date_codec.h"
#include "config/download_period.h"
#include "config/hex_record.h"
#include "config/version_file.h"

#include <algorithm>
#include <array>

namespace velmaron {
namespace {

// Ticks the data sets of the codes from `first` to `last` (1-based), until two 255 in a row.
void walkCodes(std::string_view text, std::size_t first, std::size_t last, CodeListEnd& listEnd,
               DataSets& data) {
    WalkCodes(text, first, last, listEnd, [&](int box) {
        for (const DataSet& set : DataSetTable)
            if (set.box == box)
                data.*set.member = true;
    });
}

std::chrono::sys_days dayAt(std::string_view text, std::size_t pos) {
    return std::chrono::floor<std::chrono::days>(HexToDate(MomentHexAt(text, pos)));
}

StatusDecode refused(StatusRefusal refusal, std::string problem) {
    return {std::nullopt, refusal, std::move(problem)};
}

std::string expectedLength(VersionForm form) {
    switch (form) {
    case VersionForm::Full:
        return "at least " + std::to_string(FullFormMinLength);
    case VersionForm::Mid:
        return std::to_string(MidFormLength);
    case VersionForm::Short:
    case VersionForm::ConfigNotAvailable:
        break;
    }
    return std::to_string(ShortFormLength);
}

template <class Range> void put(SettingsBlockBytes& block, std::size_t offset, const Range& bytes) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), block.size() - offset),
                block.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool hasFullForm(std::string_view deviceType, int softwareVersion) {
    return CheckVersionForm(deviceType, softwareVersion, {}).form == VersionForm::Full;
}

} // namespace

StatusDecode DecodeStatusFile(std::string_view text) {
    if (text.size() < MinVersionFileLength)
        return refused(StatusRefusal::TooShort,
                       "the status file holds " + std::to_string(text.size()) +
                           " bytes, fewer than " + std::to_string(MinVersionFileLength));
    if (!IsValidHeader(text))
        return refused(StatusRefusal::BadHeader,
                       "the status file does not begin with a type, six digits from 00 and HEX");
    const std::string type = DeviceTypeOf(text);
    if (ClassOf(type) == DeviceClass::Unexpected)
        return refused(StatusRefusal::UnknownType,
                       "the status file names the unknown device type " + type);
    const int version = SoftwareVersionOf(text);
    const FormCheck form = CheckVersionForm(type, version, text);
    if (form.form == VersionForm::ConfigNotAvailable)
        return refused(StatusRefusal::NoConfiguration,
                       "software version " + std::to_string(version) + " reports no configuration");
    if (!form.lengthFits)
        return refused(StatusRefusal::LengthMismatch,
                       "the status file holds " + std::to_string(text.size()) + " bytes; " + type +
                           " " + std::to_string(version) + " writes " + expectedLength(form.form));

    DeviceSettings s;
    s.deviceType = type;
    s.softwareVersion = version;
    s.periodDays = DownloadPeriodDays(text).value_or(0);
    TakeConfigByte(s, form.configByte);
    s.keepBit1 = form.keepBit1; // only the full form keeps bit 1
    CodeListEnd listEnd;
    walkCodes(text, VersionPos::TrepWalk, form.walkEnd, listEnd, s.data);
    if (HasExtraData(text))
        walkCodes(text, VersionPos::ExtraDataWalk, text.size(), listEnd, s.data);
    if (version < SeparateSpeedDataVersion)
        s.data.vdoSpecific = s.data.fourHz = s.data.vdoSpecific || s.data.fourHz;
    if (form.form == VersionForm::Full) {
        s.dateRangeOn = HasDateRange(text);
        s.rangeStart = dayAt(text, VersionPos::RangeStart);
        s.rangeEnd = dayAt(text, VersionPos::RangeEnd);
    }
    return {s, StatusRefusal::None, {}};
}

void TakeConfigByte(DeviceSettings& s, int configByte) {
    s.fileNameFormat = FileNameOptionIndex(configByte);
    s.velmaronPlus = VelmaronOptionIndex(configByte) == 1;
    s.cardDate = CardDateTicked(configByte);
    s.keepBit1 = Bit1Clear(configByte);
}

OfferedSettings SettingsOffered(int version) {
    const bool separate = version >= SeparateSpeedDataVersion;
    return {version >= SpeedDataVersion, !separate, separate, version >= MoreFileNamesVersion,
            version >= DateRangeVersion};
}

ReportedSettings SettingsReported(std::string_view deviceType, int softwareVersion) {
    switch (CheckVersionForm(deviceType, softwareVersion, {}).form) {
    case VersionForm::Full:
        return {true, true, true, true};
    case VersionForm::Mid:
        return {true, true, false, false};
    case VersionForm::Short:
    case VersionForm::ConfigNotAvailable:
        break;
    }
    return {};
}

ConfigSettings ToConfigSettings(const DeviceSettings& s) {
    ConfigSettings c;
    for (const DataSet& set : DataSetTable)
        c.*set.writerValue = s.data.*set.member ? 1 : 0;
    c.Check7 = s.cardDate ? 1 : 0;
    c.Check11 = s.dateRangeOn ? 1 : 0;
    c.Option1 = s.fileNameFormat;
    c.optVelmaron1 = s.velmaronPlus;
    c.tbDays = std::to_string(s.periodDays);
    c.dtPickerStart = s.rangeStart;
    c.dtPickerEnd = s.rangeEnd;
    c.ConfigByte = 0xFF;
    c.KeepBit1 = s.keepBit1;
    c.SoftwareVersion = s.softwareVersion;
    c.VersionText = s.deviceType;
    return c;
}

SettingsBlockBytes SettingsBlockOf(const DeviceSettings& s) {
    const ConfigSettings c = ToConfigSettings(s);
    SettingsBlockBytes block;
    block.fill(0xFF);
    block[SettingsBlock::ConfigByte] = static_cast<std::uint8_t>(RebuildConfigByte(c));
    put(block, SettingsBlock::Name, ConfigName(s.deviceType));
    const std::uint32_t period = DownloadPeriod(c.tbDays).value_or(0xFFFFFFFFu);
    for (std::size_t i = 0; i < 4; ++i)
        block[SettingsBlock::Period + i] = static_cast<std::uint8_t>(period >> (8 * i));
    put(block, SettingsBlock::Trep, TrepList(c));
    if (!hasFullForm(s.deviceType, s.softwareVersion))
        return block;
    put(block, SettingsBlock::ExtraData, ExtraDataList(c));
    const auto start = DateToHex(c.dtPickerStart);
    const auto end = DateToHex(c.dtPickerEnd);
    if (start && end)
        put(block, SettingsBlock::DateRange, HexToBytes(*start + *end));
    block[SettingsBlock::RangeFlag] = s.dateRangeOn ? 0x55 : 0xFF;
    return block;
}

std::string StatusFileOf(std::string_view deviceType, int softwareVersion,
                         const SettingsBlockBytes& block) {
    auto bytes = [&](std::size_t offset, std::size_t count) {
        return std::string(block.begin() + static_cast<std::ptrdiff_t>(offset),
                           block.begin() + static_cast<std::ptrdiff_t>(offset + count));
    };
    // The TREP list begins with TREP 01 at position 16, one before the window's walk.
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

std::optional<DeviceSettings> SettingsAfterTakeOver(std::string_view configFileBytes,
                                                    std::string_view deviceType,
                                                    int softwareVersion) {
    const ConfigFileRead read = ReadConfigFile(configFileBytes);
    if (!read.ok() || read.deviceType != deviceType)
        return std::nullopt;
    return DecodeStatusFile(StatusFileOf(deviceType, softwareVersion, read.block)).settings;
}

} // namespace velmaron
