#include "describe.h"

#include "config/config_file_reader.h"
#include "config/settings_words.h"
#include "config/settings_block.h"
#include "config/version_file_decoder.h"

namespace velmaron::sim {
namespace {

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
    std::vector<std::string> lines;
    for (const SettingRow& row :
         SettingsInWords(s, SettingsReported(s.deviceType, s.softwareVersion), Language::English))
        lines.push_back(row.name + ": " + row.value);
    lines.push_back("configuration byte: " + ConfigByteHex(RebuildConfigByte(s)));
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
    const auto status = VersionFileOnDrive(drive);
    const VersionFileContent decoded = status ? DecodeVersionFile(*status) : VersionFileContent{};
    if (!status)
        lines.push_back("  status file: missing; the device writes it when plugged in");
    else if (!decoded.reported())
        lines.push_back("  status file: " + decoded.problem);
    else
        for (const std::string& line : DescribeSettings(decoded.settings))
            lines.push_back("  " + line);
    if (const auto pending = PendingConfigFile(drive, device->type)) {
        const auto settings =
            SettingsAfterTakeOver(pending->second, device->type, device->softwareVersion);
        if (!settings) {
            const ConfigFileRead read = ReadConfigFile(pending->second);
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
