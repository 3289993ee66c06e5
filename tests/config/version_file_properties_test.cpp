// Generated version files of every type and form, and settings through a configuration file
// and the device's take-over back into its version file.

#include "config/config_file.h"
#include "config/config_file_reader.h"
#include "config/date_codec.h"
#include "config/version_file_decoder.h"
#include "support/version_file_gen.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

namespace velmaron {
namespace {

using testing::genSettings, testing::genVersionFile;
using Refusal = VersionFileRefusal;

const std::chrono::sys_days PartialDay = std::chrono::floor<std::chrono::days>(WrapDate);

Refusal expectedRefusal(const testing::VersionFileCase& c) {
    const std::size_t length = c.length();
    const bool qx = (c.type == "QX" || c.type == "qx");
    if (length < ShortFormLength)
        return Refusal::TooShort;
    if (!qx && !c.cr())
        return Refusal::UnknownType;
    if (qx && c.version < 9)
        return Refusal::NoConfiguration;
    const bool fits = c.cr() || c.version > 35 ? length >= 80
                      : c.version > 27         ? length == 25
                                               : length == 21;
    return fits ? Refusal::None : Refusal::LengthMismatch;
}

RC_GTEST_PROP(VersionFileProperties, EveryFileOfAFittingLengthIsReadAndOthersAreRefused, ()) {
    const auto c = *genVersionFile();
    const VersionFileContent content = DecodeVersionFile(c.bytes());
    const Refusal expected = expectedRefusal(c);
    RC_ASSERT(content.refusal == expected);
    RC_ASSERT(content.problem.empty() == (expected == Refusal::None));
    RC_ASSERT(content.broken() ==
              (expected == Refusal::TooShort || expected == Refusal::LengthMismatch));
    const auto settings = content.reported();
    RC_ASSERT(settings.has_value() == (expected == Refusal::None));
    if (!settings)
        return;
    // The writer writes back whatever is reported; an unused range holds no day a profile cannot.
    const ConfigError error = BuildConfigFile(*settings).error;
    RC_ASSERT(error != ConfigError::PeriodOutOfRange);
    RC_ASSERT(error != ConfigError::DateOutOfRange);
    RC_ASSERT(settings->dateRangeOn ||
              (settings->rangeStart < PartialDay && settings->rangeEnd < PartialDay));
}

// What a device of that type and version reports of the settings; the rest as fresh ones.
DeviceSettings kept(const DeviceSettings& s) {
    const ReportedSettings reported = SettingsReported(s.deviceType, s.softwareVersion);
    DeviceSettings k;
    k.deviceType = s.deviceType;
    k.softwareVersion = s.softwareVersion;
    if (reported.configByte) {
        k.configByte = s.configByte;
        k.fileNameFormat = FileNameFormatOf(s);
        k.velmaronPlus = s.velmaronPlus;
        k.cardDate = s.cardDate;
        k.keepBit1 = reported.dateRange && s.keepBit1; // only the full form reports bit 1
    }
    if (s.deviceType == "CR")
        return k;
    k.periodDays = s.periodDays;
    for (const DataSet& set : DataSetTable)
        if (set.list == CodeList::Trep || (reported.speedData && set.box != 9) ||
            (reported.speed168h && set.box == 9))
            k.data.*set.member = s.data.*set.member;
    if (reported.dateRange) {
        k.dateRangeOn = s.dateRangeOn;
        k.rangeStart = s.rangeStart;
        k.rangeEnd = s.rangeEnd;
    }
    return k;
}

RC_GTEST_PROP(VersionFileProperties, SettingsComeBackFromTheDevicesTakeOver, ()) {
    const DeviceSettings s = *genSettings();
    const ConfigBuildResult built = BuildConfigFile(s);
    RC_ASSERT(built.file.has_value());
    SettingsBlockBytes held;
    held.fill(SettingsBlock::Erased);
    const TakeOver taken = TakeOverConfigFile(ConfigFileBytes(*built.file), s.deviceType, held);
    RC_ASSERT(taken.outcome == TakeOver::Outcome::Taken);
    const auto reported =
        DecodeVersionFile(VersionFileOf(s.deviceType, s.softwareVersion, taken.block)).reported();
    RC_ASSERT(reported.has_value());
    // The rest as the rebuilt byte stands for: with a format chosen, the window's choices.
    DeviceSettings written = s;
    TakeConfigByte(written, built.ConfigByte);
    RC_ASSERT(kept(*reported) == kept(written));
    const ReportedSettings r = SettingsReported(s.deviceType, s.softwareVersion);
    if (s.fileNameFormat && r.configByte)
        RC_ASSERT(std::tuple(reported->fileNameFormat, reported->velmaronPlus, reported->cardDate,
                             reported->keepBit1) == std::tuple(s.fileNameFormat, s.velmaronPlus,
                                                               s.cardDate,
                                                               r.dateRange && s.keepBit1));
}

} // namespace
} // namespace velmaron
