#include "config/device_settings.h"

#include "config/config_file_reader.h"
#include "config/settings_block.h"
#include "config/version_file.h"
#include "config/version_file_decoder.h"

namespace velmaron {

void TakeConfigByte(DeviceSettings& s, int configByte) {
    s.configByte = configByte;
    s.fileNameFormat = FileNameOptionIndex(configByte);
    s.velmaronPlus = VelmaronOptionIndex(configByte) == 1;
    s.cardDate = CardDateTicked(configByte);
    s.keepBit1 = Bit1Clear(configByte);
}

int FileNameFormatOf(const DeviceSettings& s) {
    if (s.fileNameFormat && *s.fileNameFormat >= 0 && *s.fileNameFormat <= 4)
        return *s.fileNameFormat;
    return FileNameOptionIndex(s.configByte);
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

std::optional<DeviceSettings> SettingsAfterTakeOver(std::string_view configFileBytes,
                                                    std::string_view deviceType,
                                                    int softwareVersion) {
    const TakeOver taken = TakeOverConfigFile(configFileBytes, deviceType, {});
    if (taken.outcome == TakeOver::Outcome::Refused ||
        taken.outcome == TakeOver::Outcome::OtherType)
        return std::nullopt;
    return DecodeVersionFile(VersionFileOf(deviceType, softwareVersion, taken.block)).reported();
}

} // namespace velmaron
