#include "describe.h"

#include "config/config_file_reader.h"
#include "device/version_file.h"

#include <array>
#include <cstdio>

namespace velmaron::sim {
namespace {

std::string dayText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

// The names of the data sets that are on, joined; "none" when there are none.
template <std::size_t N>
std::string namesOf(const DataSets& data, const std::array<bool DataSets::*, N>& members,
                    const std::array<const char*, N>& names) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i)
        if (data.*members[i])
            text += (text.empty() ? "" : ", ") + std::string(names[i]);
    return text.empty() ? "none" : text;
}

constexpr std::array<const char*, 5> TrepNames = {"02 daily activities", "03 events and faults",
                                                  "04 detailed speed (24 h)", "05 technical data",
                                                  "06 driver card"};
constexpr std::array<bool DataSets::*, 3> ExtraDataSets = {
    &DataSets::vdoSpecific, &DataSets::detailedSpeed168h, &DataSets::fourHz};
constexpr std::array<const char*, 3> ExtraNames = {"VDO-specific data", "detailed speed (168 h)",
                                                   "4 Hz data"};
constexpr std::array<const char*, 5> FileNameFormats = {
    "abbreviated", "European (DDD)", "French (C1B/V1B)", "Spanish (TGD)", "Brennick (DDD)"};

std::string driveKind(const std::string& properties) {
    if (properties.find("type=fixed") != std::string::npos)
        return "fixed drive";
    return "USB stick";
}

std::string labelOf(const std::string& properties) {
    const auto at = properties.find("label=");
    if (at == std::string::npos)
        return "no label";
    return "label " + properties.substr(at + 6, properties.find('\n', at) - at - 6);
}

} // namespace

std::vector<std::string> DescribeSettings(const DeviceSettings& s) {
    const ConfigSettings writerInput = ToConfigSettings(s);
    std::vector<std::string> lines = {
        s.periodDays == 0 ? "period: everything since the last download"
                          : "period: " + std::to_string(s.periodDays) + " days",
        "TREP data: 01 overview, " + namesOf(s.data, TrepDataSets, TrepNames),
        "extra data: " + namesOf(s.data, ExtraDataSets, ExtraNames),
        std::string("file names: ") +
            FileNameFormats.at(static_cast<std::size_t>(s.fileNameFormat)),
        std::string("model: ") + (s.velmaronPlus ? "Velmaron Plus" : "Velmaron"),
        std::string("card date: ") + (s.cardDate ? "written onto the driver card" : "not written"),
        "configuration byte: " + ConfigByteHex(RebuildConfigByte(writerInput)),
    };
    if (s.dateRangeOn)
        lines.push_back("date range: " + dayText(s.rangeStart) + " to " + dayText(s.rangeEnd));
    else
        lines.push_back("date range: off");
    return lines;
}

std::vector<std::string> DescribeDrive(const SimFolder& folder, char letter) {
    const std::string state = folder.isPlugged(letter) ? "plugged in" : "cable pulled";
    const std::string properties = folder.properties(letter);
    const auto device = folder.device(letter);
    const std::string head = std::string(1, letter) + ": ";
    if (!device)
        return {head + driveKind(properties) + ", " + labelOf(properties) + ", " + state};
    std::vector<std::string> lines = {head + "Velmaron " + device->type + ", software version " +
                                      std::to_string(device->softwareVersion) + ", " +
                                      labelOf(properties) + ", " + state};
    const fs::path drive = folder.where(letter).value();
    const auto status = StatusFileOnDrive(drive);
    const StatusDecode decoded = status ? DecodeStatusFile(*status) : StatusDecode{};
    if (!status)
        lines.push_back("  status file: missing; the device writes it when plugged in");
    else if (!decoded.settings)
        lines.push_back("  status file: " + decoded.problem);
    else
        for (const std::string& line : DescribeSettings(*decoded.settings))
            lines.push_back("  " + line);
    if (const auto pending = PendingConfigFile(drive, device->type)) {
        const ConfigFileRead read = ReadConfigFile(pending->second);
        const bool fits = read.ok() && read.deviceType == device->type;
        const auto settings =
            fits ? DecodeStatusFile(
                       StatusFileOf(read.deviceType, device->softwareVersion, read.block))
                       .settings
                 : std::nullopt;
        if (!settings) {
            lines.push_back("  waiting: " + pending->first + ", which the device will refuse: " +
                            (read.ok() ? "it is meant for another device" : read.problem));
        } else {
            lines.push_back("  waiting: " + pending->first + ", taken over at the next plug-in:");
            for (const std::string& line : DescribeSettings(*settings))
                lines.push_back("    " + line);
        }
    }
    return lines;
}

} // namespace velmaron::sim
