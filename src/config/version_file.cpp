#include "config/version_file.h"

#include "config/ascii.h"
#include "config/data_sets.h"
#include "config/download_period.h"

#include <cstdint>
#include <cstdio>

namespace velmaron {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string hexText(unsigned value, const char* format) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

FormCheck formOf(VersionForm form, bool lengthFits, std::size_t walkEnd, int configByte,
                 bool check8, bool check9, bool check10) {
    FormCheck check;
    check.form = form;
    check.lengthFits = lengthFits;
    if (!lengthFits)
        return check;
    check.walkEnd = walkEnd;
    check.configByte = configByte;
    check.check8Enabled = check8;
    check.check9Enabled = check9;
    check.check10Enabled = check10;
    return check;
}

} // namespace

int ByteAt(std::string_view versionText, std::size_t pos) {
    if (pos == 0 || pos > versionText.size())
        return 0;
    return static_cast<unsigned char>(versionText[pos - 1]);
}

std::string DeviceTypeOf(std::string_view versionText) {
    return UpperAscii(versionText.substr(0, 2));
}

DeviceClass ClassOf(std::string_view deviceType) {
    if (deviceType == "QX")
        return DeviceClass::Standard;
    if (deviceType == "CR")
        return DeviceClass::Cr;
    return DeviceClass::Unexpected;
}

bool Configurable(std::string_view deviceType, int softwareVersion) {
    return ClassOf(deviceType) == DeviceClass::Standard && softwareVersion >= FirstSuitableVersion;
}

bool IsValidHeader(std::string_view versionText) {
    if (versionText.size() < VersionPos::Extension + 2)
        return false;
    const std::string_view digits = versionText.substr(VersionPos::Version - 1, 6);
    for (char c : digits) {
        if (!isDigit(c))
            return false;
    }
    return digits.starts_with("00") &&
           UpperAscii(versionText.substr(VersionPos::Extension - 1, 3)) == "HEX";
}

int SoftwareVersionOf(std::string_view versionText) {
    if (!IsValidHeader(versionText))
        return 0;
    int value = 0;
    for (char c : versionText.substr(VersionPos::Version - 1, 6))
        value = value * 10 + (c - '0');
    return value;
}

std::string SignedNumberText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::optional<int> DownloadPeriodDays(std::string_view versionText) {
    std::uint32_t raw = 0;
    for (std::size_t i = 4; i-- > 0;)
        raw = (raw << 8) |
              static_cast<std::uint32_t>(ByteAt(versionText, VersionPos::DownloadPeriod + i));
    if (raw == SinceLastDownload)
        return std::nullopt;
    // Two's complement: a negative period is stored as such; division truncates towards 0.
    return static_cast<std::int32_t>(raw) / SecondsPerDay;
}

std::string DownloadPeriodText(std::string_view versionText) {
    const auto days = DownloadPeriodDays(versionText);
    return days ? SignedNumberText(*days) : "0";
}

FormCheck CheckVersionForm(std::string_view deviceType, int softwareVersion,
                           std::string_view versionText) {
    const std::size_t length = versionText.size();
    // The TREP walk ends before the configuration byte, or at the end of the short form.
    if (ClassOf(deviceType) == DeviceClass::Cr || softwareVersion >= SeparateSpeedDataVersion) {
        FormCheck check = formOf(VersionForm::Full, length >= FullFormMinLength,
                                 VersionPos::FullConfigByte - 1,
                                 ByteAt(versionText, VersionPos::FullConfigByte), true, true, true);
        check.keepBit1 = check.lengthFits && Bit1Clear(check.configByte);
        return check;
    }
    if (softwareVersion >= SpeedDataVersion)
        return formOf(VersionForm::Mid, length == MidFormLength, VersionPos::MidConfigByte - 1,
                      ByteAt(versionText, VersionPos::MidConfigByte), true, false, true);
    if (softwareVersion >= ShortFormVersion)
        return formOf(VersionForm::Short, length == ShortFormLength, ShortFormLength,
                      NoConfigByte, false, false, false);
    return FormCheck{};
}

bool HasExtraData(std::string_view versionText) {
    return versionText.size() > VersionPos::ExtraDataWalk;
}

bool HasDateRange(std::string_view versionText) {
    return versionText.size() >= FullFormMinLength &&
           ByteAt(versionText, VersionPos::RangeFlag) == RangeFlagOn;
}

std::string MomentHexAt(std::string_view versionText, std::size_t pos) {
    std::string text;
    for (std::size_t i = 0; i < 4; ++i)
        text += hexText(static_cast<unsigned>(ByteAt(versionText, pos + i)), "%02X");
    return text;
}

std::optional<int> CheckBoxForCode(int byteValue) {
    if (const DataSet* set = DataSetForCode(byteValue))
        return set->box;
    return std::nullopt;
}

bool CodeListEnd::Step(int lByteValue) {
    const bool isFF = lByteValue == ListEnd;
    const bool ends = isFF && PreviousWasFF;
    PreviousWasFF = isFF;
    return ends;
}

int VelmaronOptionIndex(int configByte) {
    return (configByte & ConfigByteBit::Model) ? 0 : 1;
}

int FileNameOptionIndex(int configByte) {
    const int format = (configByte & ConfigByteBit::FileName) >> ConfigByteBit::FileNameShift;
    return format >= 4 ? 0 : 4 - format;
}

bool CardDateTicked(int configByte) {
    return (configByte & ConfigByteBit::CardDate) == 0;
}

bool Bit1Clear(int configByte) {
    return (configByte & ConfigByteBit::Bit1) == 0;
}

int ConfigByteForFileName(int option) {
    const int format = option == 0 ? 7 : 4 - option;
    return (NoConfigByte & ~ConfigByteBit::FileName) | format << ConfigByteBit::FileNameShift;
}

std::string ConfigByteHex(int configByte) {
    return hexText(static_cast<unsigned>(configByte & NoConfigByte), "%X");
}

std::string SoftwareVersionLine(DeviceClass deviceClass, int softwareVersion) {
    switch (deviceClass) {
    case DeviceClass::Standard:
        return "Velmaron Softwareversion: " + std::to_string(softwareVersion);
    case DeviceClass::Cr:
        return "VelmaronCR Softwareversion: " + std::to_string(softwareVersion);
    case DeviceClass::Unexpected:
        break;
    }
    return {};
}

std::string VersionLengthLine(std::size_t length) {
    return "Version file length: " + std::to_string(length);
}

std::string ConfigByteLine(int configByte) {
    return "Config. byte: " + ConfigByteHex(configByte);
}

} // namespace velmaron
